// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The colour models' Image variables in .8ca files: 133 by 83 pixels of
// RGB565, rows stored bottom up, each row followed by two unused bytes.
// BackgroundOn shows each pixel as a square of two, so an image fills the
// 265 by 165 graph area (its last column and row fall outside).
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace calc::imagefile
{

constexpr int kWidth = 133;
constexpr int kHeight = 83;

struct Image {
    int slot = -1; // 0-9: Image0-Image9
    // 265 x 165, 0xRRGGBB, rows top down.
    std::vector<std::uint32_t> pixels;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

Image read(const QByteArray &file);
// Image`slot` from the .8ca files in `folder` (any name, as a calculator
// file keeps its variable's own); false when none holds it.
bool findInFolder(const QString &folder, int slot, std::vector<std::uint32_t> *pixels);

} // namespace calc::imagefile
