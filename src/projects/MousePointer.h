// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The pointer shape the whole program shows while the record browsers work.
namespace projects::pointer
{

enum class Shape {
    Default,  // each control's own pointer
    Arrow,    // the plain arrow: ends any hourglass
    Hourglass // work under way
};

void set(Shape shape);
Shape current();

} // namespace projects::pointer
