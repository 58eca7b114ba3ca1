// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// StorePic and RecallPic on the screen shown: the monochrome models' 63 rows
// of 96 pixels a byte each (set or not), the colour models' 265 by 165 four
// bytes each (0 where nothing is drawn, else the colour), so a picture keeps
// the colours it was drawn in.
#include "calc/basic/graph/Graph.h"

namespace calc::basic
{

namespace
{

int bytesPerPixel(const Calculator &c_)
{
    return c_.colour() ? 4 : 1;
}

} // namespace

QByteArray storedPicture(Calculator &c_)
{
    showGraph(c_);
    const PixelScreen &g = c_.screen();
    const int k = bytesPerPixel(c_), width = g.width();
    QByteArray bits(g.rows() * width * k, 0);
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < width; ++c) {
            if (!g.pixel(r, c))
                continue;
            char *at = bits.data() + (r * width + c) * k;
            if (k == 1) {
                *at = 1;
                continue;
            }
            const std::uint32_t rgb = g.rgb(r, c);
            at[0] = 1;
            at[1] = char(rgb >> 16);
            at[2] = char(rgb >> 8);
            at[3] = char(rgb);
        }
    withoutLabels(c_, bits);
    return bits;
}

void recallPicture(Calculator &c_, const QByteArray &bits)
{
    showGraph(c_);
    PixelScreen &g = c_.screen();
    const int k = bytesPerPixel(c_), width = g.width();
    // A picture of the other screen's size (another model's) is drawn as far
    // as it reaches.
    const int rows = int(bits.size()) / (width * k);
    for (int r = 0; r < std::min(rows, g.rows()); ++r)
        for (int c = 0; c < width; ++c) {
            const uchar *at =
                reinterpret_cast<const uchar *>(bits.constData()) + (r * width + c) * k;
            if (!at[0])
                continue;
            g.set(r, c, PixelScreen::On,
                  k == 1 ? PixelScreen::kPen : std::uint32_t(at[1] << 16 | at[2] << 8 | at[3]));
        }
    c_.showGraph(true);
}

} // namespace calc::basic
