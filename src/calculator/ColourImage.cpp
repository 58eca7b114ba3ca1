// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/ColourImage.h"

#include "platform/Fonts.h"

#include <QPainter>
#include <QSaveFile>

namespace calculator
{

using calc::basic::ColourScreen;

int colourStep(int scale)
{
    return std::max(1, (scale * calc::basic::GraphScreen::kWidth + kColourScreenWidth / 2) /
                           kColourScreenWidth);
}

QImage colourGraphImage(const ColourScreen &screen)
{
    QImage image(ColourScreen::kWidth, ColourScreen::kHeight, QImage::Format_RGB32);
    for (int r = 0; r < ColourScreen::kHeight; ++r) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(r));
        for (int c = 0; c < ColourScreen::kWidth; ++c)
            line[c] = 0xFF000000u | screen.rgb(r, c);
    }
    return image;
}

bool writeColourPng(const ColourScreen &screen, const QString &path, QString *error)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !colourGraphImage(screen).save(&f, "PNG") || !f.commit()) {
        *error = QStringLiteral("Cannot write \"%1\": %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

namespace
{

// Which cells of a line of letters the calculator font inks: drawn 8 times
// larger, then a pixel is inked when a third of its square is.
QVector<bool> inked(const QString &text, int height, int advance, int size, int baseline)
{
    constexpr int kSample = 8;
    QFont font = platform::calculatorFont();
    font.setPixelSize(size * kSample);
    const int width = int(text.size()) * advance;
    QImage image(width * kSample, height * kSample, QImage::Format_Grayscale8);
    image.fill(255);
    {
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::black);
        for (int i = 0; i < text.size(); ++i)
            p.drawText(QPointF(i * advance * kSample, baseline * kSample), text.mid(i, 1));
    }
    QVector<bool> out(width * height, false);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            int ink = 0;
            for (int y = 0; y < kSample; ++y) {
                const uchar *line = image.constScanLine(r * kSample + y) + c * kSample;
                for (int x = 0; x < kSample; ++x)
                    ink += 255 - line[x];
            }
            out[r * width + c] = ink * 3 > 255 * kSample * kSample;
        }
    return out;
}

} // namespace

void drawColourText(ColourScreen &screen, int row, int col, const QString &text, bool large)
{
    using namespace calc::basic;
    // The wiki gives the colour models' rows of text 12 pixels apart; the
    // large font is the home screen's, in 18-pixel rows.
    const int height = large ? 18 : 12, advance = large ? 12 : 8;
    const QVector<bool> ink = inked(text, height, advance, large ? 16 : 11, large ? 14 : 10);
    const int tc = screen.textColour;
    const std::uint32_t fg = colourRgb(tc);
    const bool grayBehind = tc == Yellow || tc == White || tc == LtGray;
    const std::uint32_t bg = colourRgb(grayBehind ? MedGray : White);
    const int width = int(text.size()) * advance;
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            screen.set(row + r, col + c, PixelScreen::On, ink[r * width + c] ? fg : bg);
}

QStringList homeRows(const calc::basic::HomeScreen &home)
{
    QStringList rows;
    for (int r = 0; r < home.rows(); ++r)
        rows << home.row(r);
    if (!home.menu().isEmpty()) {
        rows = QStringList(home.rows(), QString());
        for (int i = 0; i < home.menu().size() && i < home.rows(); ++i)
            rows[i] = i == 0 ? home.menu()[0] : QStringLiteral("%1:%2").arg(i).arg(home.menu()[i]);
    } else if (!home.prompt().isEmpty() || home.cursorRow() < home.rows()) {
        const int at = std::min(home.cursorRow(), home.rows() - 1);
        if (!home.prompt().isEmpty())
            rows[at] = home.prompt().right(home.columns());
    }
    return rows;
}

QImage colourScreenImage(const ColourScreen &screen, bool graphShown, const QStringList &rows)
{
    QImage image(kColourScreenWidth, kColourScreenHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    // The status bar line: the modes, small and white on dark gray.
    p.fillRect(0, 0, kColourScreenWidth, kStatusBarHeight, QColor(0x51, 0x55, 0x51));
    p.fillRect(0, kStatusBarHeight - 1, kColourScreenWidth, 1, QColor(0x8F, 0x8B, 0x8F));
    QFont font = platform::calculatorFont();
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QPointF(4, 13), QStringLiteral("NORMAL FLOAT AUTO REAL RADIAN MP"));
    if (graphShown) {
        p.fillRect(0, kStatusBarHeight, kColourScreenWidth, kColourScreenHeight - kStatusBarHeight,
                   QColor::fromRgb(calc::basic::borderRgb(screen.borderColour)));
        p.drawImage(kGraphLeft, kGraphTop, colourGraphImage(screen));
        return image;
    }
    // The home screen: 26 columns of 12 pixels, 10 rows of 21.
    font.setPixelSize(16);
    p.setFont(font);
    p.setPen(Qt::black);
    for (int r = 0; r < rows.size() && r < 10; ++r)
        for (int c = 0; c < rows[r].size() && c < 26; ++c)
            p.drawText(QPointF(4 + c * 12, kStatusBarHeight + 17 + r * 21), rows[r].mid(c, 1));
    return image;
}

QImage colourScreenImage(const ColourScreen &screen, const calc::basic::HomeScreen &home,
                         bool graphShown, const QString &typed)
{
    QStringList rows = homeRows(home);
    const bool waiting = !home.menu().isEmpty() || !home.prompt().isNull();
    if (!typed.isNull() && !home.prompt().isNull() && home.menu().isEmpty()) {
        // The answer as typed so far, its end in view.
        const int at = std::min(home.cursorRow(), home.rows() - 1);
        rows[at] = (home.prompt() + typed + QChar(0x2588)).right(home.columns());
    }
    return colourScreenImage(screen, graphShown && !waiting, rows);
}

} // namespace calculator
