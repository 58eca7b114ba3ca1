// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The RTF reader as a command-line converter: RTF file in, UTF-8 text out.
// bench_rtf times it as a whole process beside other converters.
#include "calc/ModelText.h"
#include "rtf/RtfCodec.h"

#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: rtf2text FILE.rtf\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "rtf2text: cannot open %s\n", argv[1]);
        return 1;
    }
    rtf::Document doc;
    QString error;
    if (!rtf::read(in.readAll(), &doc, &error)) {
        std::fprintf(stderr, "rtf2text: %s\n", qPrintable(error));
        return 1;
    }
    QString text = doc.text();
    for (char16_t *c = reinterpret_cast<char16_t *>(text.data()), *end = c + text.size(); c != end;
         ++c)
        if (*c >= 0x80 && *c < 0xA0) // the only codes that differ
            *c = calc::modelToDisplay(QChar(*c)).unicode();
    const QByteArray out = text.toUtf8();
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return 0;
}
