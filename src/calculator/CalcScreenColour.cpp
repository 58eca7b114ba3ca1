// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The calculator window's screen on the colour models: the 320x240 screen
// with its status bar line, each pixel a square of whole screen pixels.
#include "calculator/ColourImage.h"
#include "calculator/frmCalculator.h"

#include <QPainter>

namespace calculator
{

void CalcScreen::paintColour(QPainter &p)
{
    const QImage image =
        colourScreenImage(*m_frame.colour, m_frame.home, m_frame.graphShown,
                          m_typed.isNull() ? QStringLiteral("") : m_typed, m_menuItem);
    const int step = colourStep(m_scale);
    p.drawImage(QRect(0, 0, image.width() * step, image.height() * step), image);
}

} // namespace calculator
