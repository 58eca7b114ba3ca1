// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The language server's framing and dispatch on any bytes, after an
// initialize: nothing crashes, every message it sends is JSON, and the
// frames do not depend on where the reads cut the stream.
#include "lsp/Server.h"
#include "lsp/Transport.h"

#include <QCoreApplication>
#include <QJsonDocument>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace
{

QCoreApplication *application()
{
    static int argc = 1;
    static char name[] = "fuzz_lsp";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return &app;
}

bool same(const QVector<lsp::Frame> &a, const QVector<lsp::Frame> &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].body != b[i].body)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    application();
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    // The commands write files where they are told to.
    if (input.contains("executeCommand"))
        return 0;
    const QByteArray init = lsp::framed(
        R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{"capabilities":{}}})");
    QVector<lsp::Frame> whole, cut;
    lsp::Framer a, b;
    a.feed(init.constData(), init.size(), &whole);
    a.feed(input.constData(), input.size(), &whole);
    b.feed(init.constData(), init.size(), &cut);
    const qsizetype half = input.size() / 2;
    b.feed(input.constData(), half, &cut);
    b.feed(input.constData() + half, input.size() - half, &cut);
    if (!same(whole, cut)) {
        std::fprintf(stderr, "the frames depend on where the input is cut\n");
        std::abort();
    }
    whole.append(lsp::Frame{lsp::Frame::End, {}});
    lsp::Server server([](const QByteArray &body) {
        QJsonParseError why;
        QJsonDocument::fromJson(body, &why);
        if (why.error != QJsonParseError::NoError) {
            std::fprintf(stderr, "sent what is not JSON: %s\n", body.constData());
            std::abort();
        }
    });
    server.receive(whole);
    if (!server.finished()) {
        std::fprintf(stderr, "the end of input did not end the server\n");
        std::abort();
    }
    return 0;
}
