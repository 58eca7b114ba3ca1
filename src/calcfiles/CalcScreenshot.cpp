// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calcfiles/CalcScreenshot.h"

#include <QFileInfo>
#include <QSaveFile>

namespace calcfiles::calcscreenshot
{

QImage image(const calclink::Screenshot &screen, int scale)
{
    scale = qBound(1, scale, 4);
    if (screen.width <= 0 || screen.height <= 0 ||
        screen.pixels.size() != qsizetype(screen.width) * screen.height)
        return QImage();
    QImage out(screen.width * scale, screen.height * scale, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        const quint32 *row = screen.pixels.constData() + qsizetype(y / scale) * screen.width;
        for (int x = 0; x < out.width(); ++x)
            line[x] = row[x / scale];
    }
    return out;
}

bool savePng(const calclink::Screenshot &screen, int scale, const QString &path, QString *error)
{
    const QImage picture = image(screen, scale);
    QSaveFile f(path);
    if (picture.isNull() || !f.open(QIODevice::WriteOnly) || !picture.save(&f, "PNG") ||
        !f.commit()) {
        *error = QStringLiteral("\"%1\" could not be written.").arg(QFileInfo(path).fileName());
        return false;
    }
    return true;
}

} // namespace calcfiles::calcscreenshot
