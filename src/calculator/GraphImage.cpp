// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/GraphImage.h"

#include "calculator/ScreenGlyphs.h"
#include "platform/Fonts.h"

#include <QPainter>
#include <QSaveFile>

namespace calculator
{

using calc::basic::GraphScreen;

QImage graphImage(const GraphScreen &graph)
{
    QImage image(GraphScreen::kWidth, GraphScreen::kHeight, QImage::Format_RGB32);
    for (int r = 0; r < GraphScreen::kHeight; ++r) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(r));
        for (int c = 0; c < GraphScreen::kWidth; ++c)
            line[c] = graph.pixel(r, c) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    }
    return image;
}

bool writeGraphPng(const GraphScreen &graph, const QString &path, QString *error)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !graphImage(graph).save(&f, "PNG") || !f.commit()) {
        *error = QStringLiteral("Cannot write \"%1\": %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

namespace
{

// Letters `kHeight` pixels tall, `kAdvance` apart. Drawn 8 times larger and
// then sampled, since outlines drawn at 7 pixels lose their strokes.
void drawCells(GraphScreen &graph, int row, int col, const QString &text, int kHeight, int kAdvance,
               int size, int baseline)
{
    constexpr int kSample = 8;
    QFont font = platform::calculatorFont();
    font.setPixelSize(size * kSample);
    const QStringList cells = fontCells(text);
    const int width = int(cells.size()) * kAdvance;
    QImage image(width * kSample, kHeight * kSample, QImage::Format_Grayscale8);
    image.fill(255);
    {
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::black);
        for (int i = 0; i < cells.size(); ++i)
            p.drawText(QPointF(i * kAdvance * kSample, baseline * kSample), cells[i]);
    }
    for (int r = 0; r < kHeight; ++r) {
        for (int c = 0; c < width; ++c) {
            int ink = 0;
            for (int y = 0; y < kSample; ++y) {
                const uchar *line = image.constScanLine(r * kSample + y) + c * kSample;
                for (int x = 0; x < kSample; ++x)
                    ink += 255 - line[x];
            }
            // A third of the square inked lights the pixel.
            const bool on = ink * 3 > 255 * kSample * kSample;
            graph.set(row + r, col + c, on ? GraphScreen::On : GraphScreen::Off);
        }
    }
}

} // namespace

void drawGraphText(GraphScreen &graph, int row, int col, const QString &text)
{
    // The small font: letters 5 pixels tall in a 6-pixel line, 4 apart.
    drawCells(graph, row, col, text, 6, 4, 7, 5);
}

void drawGraphLargeText(GraphScreen &graph, int row, int col, const QString &text)
{
    // The home screen's font: 7 pixels tall in 8-pixel rows, 6 apart.
    drawCells(graph, row, col, text, 8, 6, 9, 7);
}

} // namespace calculator
