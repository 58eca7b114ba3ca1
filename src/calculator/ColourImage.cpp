// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/ColourImage.h"

#include "calculator/ScreenGlyphs.h"
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
QVector<bool> inked(const QStringList &cells, int height, int advance, int size, int baseline)
{
    constexpr int kSample = 8;
    QFont font = platform::calculatorFont();
    font.setPixelSize(size * kSample);
    const int width = int(cells.size()) * advance;
    QImage image(width * kSample, height * kSample, QImage::Format_Grayscale8);
    image.fill(255);
    {
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::black);
        for (int i = 0; i < cells.size(); ++i)
            p.drawText(QPointF(i * advance * kSample, baseline * kSample), cells[i]);
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
    const QStringList cells = fontCells(text);
    const QVector<bool> ink = inked(cells, height, advance, large ? 16 : 11, large ? 14 : 10);
    const int tc = screen.textColour;
    const std::uint32_t fg = colourRgb(tc);
    const bool grayBehind = tc == Yellow || tc == White || tc == LtGray;
    const std::uint32_t bg = colourRgb(grayBehind ? MedGray : White);
    const int width = int(cells.size()) * advance;
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            screen.set(row + r, col + c, PixelScreen::On, ink[r * width + c] ? fg : bg);
}

HomeRows homeRows(const calc::basic::HomeScreen &home, const QString &typed, int menuItem,
                  bool cursor)
{
    using calc::basic::screenCells;
    HomeRows shown;
    QStringList &rows = shown.rows;
    for (int r = 0; r < home.rows(); ++r)
        rows << home.row(r);
    const auto cut = [&home](const QString &text) {
        return screenCells(text).mid(0, home.columns()).join(QString());
    };
    if (!home.menu().isEmpty()) {
        // The title on the top line, then the items numbered from 1.
        rows = QStringList(home.rows(), QString());
        for (int i = 0; i < home.menu().size() && i < home.rows(); ++i)
            rows[i] =
                cut(i == 0 ? home.menu()[0] : QStringLiteral("%1:%2").arg(i).arg(home.menu()[i]));
        shown.titleRow = 0;
        shown.chosenRow = 1 + menuItem;
    } else if (!home.prompt().isNull()) {
        QStringList line = screenCells(home.prompt() + typed);
        if (cursor)
            line << QStringLiteral("█");
        int at = home.cursorRow();
        if (at >= home.rows() - 1) {
            // The screen scrolls as the answer is written; show it so now.
            rows.removeFirst();
            rows.append(QString());
            at = home.rows() - 2;
        }
        rows[at] = line.mid(std::max(0, int(line.size()) - home.columns())).join(QString());
    }
    return shown;
}

QImage colourScreenImage(const ColourScreen &screen, bool graphShown, const HomeRows &home)
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
    const QStringList &rows = home.rows;
    for (int r = 0; r < rows.size() && r < 10; ++r) {
        const QStringList cells = fontCells(rows[r]);
        for (int c = 0; c < cells.size() && c < 26; ++c) {
            const bool inverse = r == home.titleRow || (r == home.chosenRow && c < 2);
            if (inverse)
                p.fillRect(4 + c * 12, kStatusBarHeight + r * 21, 12, 21, Qt::black);
            p.setPen(inverse ? Qt::white : Qt::black);
            p.drawText(QPointF(4 + c * 12, kStatusBarHeight + 17 + r * 21), cells[c]);
        }
    }
    return image;
}

QImage colourScreenImage(const ColourScreen &screen, const calc::basic::HomeScreen &home,
                         bool graphShown, const QString &typed, int menuItem)
{
    const bool waiting = !home.menu().isEmpty() || !home.prompt().isNull();
    return colourScreenImage(screen, graphShown && !waiting,
                             homeRows(home, typed, menuItem, !typed.isNull()));
}

} // namespace calculator
