#include "run/GraphImage.h"

#include "platform/Fonts.h"

#include <QPainter>
#include <QSaveFile>

namespace run
{

using calc::run::GraphScreen;

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

void drawGraphText(GraphScreen &graph, int row, int col, const QString &text)
{
    // The small font is 6 pixels tall with its blank row; 4 wide with its gap.
    constexpr int kHeight = 6, kAdvance = 4;
    QFont font = platform::calculatorFont();
    font.setPixelSize(7);
    font.setStyleStrategy(QFont::NoAntialias);
    const int width = int(text.size()) * kAdvance;
    QImage image(width + kAdvance, kHeight + 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::black);
        for (int i = 0; i < text.size(); ++i)
            p.drawText(QRect(i * kAdvance, -1, kAdvance + 1, kHeight + 2),
                       Qt::AlignLeft | Qt::AlignVCenter, text.mid(i, 1));
    }
    for (int r = 0; r < kHeight; ++r)
        for (int c = 0; c < width; ++c)
            graph.set(row + r, col + c,
                      qGray(image.pixel(c, r)) < 128 ? GraphScreen::On : GraphScreen::Off);
}

} // namespace run
