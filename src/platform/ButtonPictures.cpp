// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/ButtonPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace platform
{

namespace
{
// The colours of the program's icon (resources/icons).
const QColor bodyTop(0x3d, 0x55, 0x71);
const QColor bodyBottom(0x1f, 0x2d, 0x3d);
const QColor outline(0x14, 0x1e, 0x29);
const QColor screen(0xd8, 0xea, 0xd0);
const QColor key(0x66, 0x7d, 0x98);
const QColor accent(0xe8, 0x91, 0x3a);
const QColor curve(0xc8, 0x46, 0x2e);

QPen line(const QColor &c, double width)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawTasks(QPainter &p)
{
    for (int row = 0; row < 3; ++row) {
        const double y = 10 + row * 6;
        p.setPen(line(accent, 1.8));
        p.drawPolyline(QPolygonF{{7.5, y}, {9.5, y + 2}, {12.5, y - 2}});
        p.setPen(line(screen, 2.2));
        p.drawLine(QPointF(15.5, y), QPointF(24.5, y));
    }
}

void drawAbout(QPainter &p)
{
    p.setPen(line(screen, 2.2));
    p.drawEllipse(QPointF(16, 16), 9, 9);
    p.setPen(line(screen, 2.6));
    p.drawLine(QPointF(16, 15), QPointF(16, 21));
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawEllipse(QPointF(16, 11), 1.7, 1.7);
}

void drawOptions(QPainter &p)
{
    const double knobs[] = {12, 20, 15};
    for (int row = 0; row < 3; ++row) {
        const double y = 10 + row * 6;
        p.setPen(line(screen, 2));
        p.drawLine(QPointF(8, y), QPointF(24, y));
        p.setPen(line(outline, 1));
        p.setBrush(accent);
        p.drawEllipse(QPointF(knobs[row], y), 2.6, 2.6);
    }
}

void drawPrint(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(screen);
    p.drawRect(QRectF(11, 6.5, 10, 6));
    p.setBrush(key);
    p.drawRoundedRect(QRectF(6.5, 12, 19, 9), 2, 2);
    p.setBrush(accent);
    p.drawEllipse(QPointF(22.5, 15), 1.3, 1.3);
    p.setBrush(screen);
    p.drawRect(QRectF(11, 18, 10, 8));
    p.setPen(line(key, 1.2));
    p.drawLine(QPointF(13, 21), QPointF(19, 21));
    p.drawLine(QPointF(13, 23.5), QPointF(17.5, 23.5));
}

void drawProjects(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    QPainterPath folder;
    folder.moveTo(7, 13);
    folder.lineTo(7, 7);
    folder.lineTo(11, 7);
    folder.lineTo(12.5, 8.5);
    folder.lineTo(17, 8.5);
    folder.lineTo(17, 13);
    folder.closeSubpath();
    p.drawPath(folder);
    p.setPen(line(screen, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{{10, 13}, {10, 23}, {14, 23}});
    p.drawLine(QPointF(10, 17.5), QPointF(14, 17.5));
    p.setPen(Qt::NoPen);
    p.setBrush(screen);
    p.drawRoundedRect(QRectF(15, 15.5, 10, 4), 1, 1);
    p.drawRoundedRect(QRectF(15, 21, 10, 4), 1, 1);
}

void drawCompile(QPainter &p)
{
    // The program goes from the screen to the calculator.
    p.setPen(line(key, 1));
    p.setBrush(screen);
    p.drawRoundedRect(QRectF(7, 6, 18, 11), 2, 2);
    p.setPen(line(curve, 1.8));
    p.setBrush(Qt::NoBrush);
    QPainterPath wave;
    wave.moveTo(9, 14);
    wave.cubicTo(12, 7, 14, 7, 16, 11.5);
    wave.cubicTo(18, 16, 20, 16, 23, 9);
    p.drawPath(wave);
    p.setPen(line(accent, 2.4));
    p.drawLine(QPointF(16, 19), QPointF(16, 25.5));
    p.drawPolyline(QPolygonF{{12.5, 22.5}, {16, 26}, {19.5, 22.5}});
}

// The browser's toolbar, in the same tiles.
void drawArrow(QPainter &p, bool left)
{
    p.setPen(line(screen, 2.6));
    const double tip = left ? 9 : 23, tail = left ? 23 : 9, back = left ? 15 : 17;
    p.drawLine(QPointF(tail, 16), QPointF(tip, 16));
    p.drawPolyline(QPolygonF{{back, 10}, {tip, 16}, {back, 22}});
}
void drawBack(QPainter &p)
{
    drawArrow(p, true);
}
void drawForward(QPainter &p)
{
    drawArrow(p, false);
}

void drawStop(QPainter &p)
{
    p.setPen(line(outline, 1));
    p.setBrush(curve);
    p.drawRoundedRect(QRectF(9, 9, 14, 14), 2, 2);
    p.setPen(line(screen, 2.2));
    p.drawLine(QPointF(13, 13), QPointF(19, 19));
    p.drawLine(QPointF(19, 13), QPointF(13, 19));
}

void drawRefresh(QPainter &p)
{
    p.setPen(line(screen, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(9, 9, 14, 14), 100 * 16, 280 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawPolygon(QPolygonF{{14.5, 5.5}, {19.5, 9}, {14.5, 12.5}});
}

void drawHome(QPainter &p)
{
    p.setPen(line(screen, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{{7, 16}, {16, 8}, {25, 16}});
    p.drawPolyline(QPolygonF{{10, 14}, {10, 24}, {22, 24}, {22, 14}});
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawRect(QRectF(14, 18, 4, 6));
}

void drawSearch(QPainter &p)
{
    p.setPen(line(screen, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(14, 14), 6, 6);
    p.setPen(line(accent, 3.2));
    p.drawLine(QPointF(18.5, 18.5), QPointF(24.5, 24.5));
}

using Glyph = void (*)(QPainter &);

Glyph glyphFor(const QString &imageName)
{
    static const struct {
        const char *name;
        Glyph draw;
    } glyphs[] = {{"Image1", drawTasks},    {"Image2", drawAbout},    {"Image3", drawOptions},
                  {"Image4", drawPrint},    {"Image5", drawProjects}, {"Image6", drawCompile},
                  {"Back", drawBack},       {"Forward", drawForward}, {"Stop", drawStop},
                  {"Refresh", drawRefresh}, {"Home", drawHome},       {"Search", drawSearch}};
    for (const auto &g : glyphs)
        if (imageName == QLatin1String(g.name))
            return g.draw;
    return nullptr;
}

// The icon's body as a tile, drawn on a 32 by 32 grid scaled to `size`.
QPixmap tile(int size, Glyph glyph)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    QLinearGradient body(0, 2, 0, 30);
    body.setColorAt(0, bodyTop);
    body.setColorAt(1, bodyBottom);
    p.setPen(line(outline, 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(2.5, 2.5, 27, 27), 6, 6);
    glyph(p);
    return pm;
}
} // namespace

QIcon pictureButtonIcon(const QString &imageName)
{
    const Glyph glyph = glyphFor(imageName);
    if (!glyph)
        return QIcon();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(tile(size, glyph));
    return icon;
}

} // namespace platform
