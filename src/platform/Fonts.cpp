// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Fonts.h"

#include "platform/Places.h"

#include <QFontDatabase>
#include <QStringList>

namespace platform
{

QString calculatorFontName()
{
    return QStringLiteral("Ti83Pluspc");
}
QString captionFontName()
{
    return QStringLiteral("Fajita ICG Mild");
}

bool fontInstalled(const QString &family)
{
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

QString calculatorDisplayFamily()
{
    return QStringLiteral("Torvane Calc Mono");
}

QString calculatorDisplayFontFile()
{
    return places::shippedFile(QStringLiteral("TorvaneCalcMono.ttf"));
}

bool useCalculatorDisplayFont(const QString &file)
{
    if (fontInstalled(calculatorFontName()))
        return true;
    if (!fontInstalled(calculatorDisplayFamily()) && QFontDatabase::addApplicationFont(file) < 0)
        return false;
    if (!QFont::substitutes(calculatorFontName()).contains(calculatorDisplayFamily()))
        QFont::insertSubstitution(calculatorFontName(), calculatorDisplayFamily());
    return true;
}

QFont calculatorFont(double points)
{
    QFont f(calculatorFontName());
    f.setPointSizeF(points);
    if (!fontInstalled(calculatorFontName())) {
        f.setStyleHint(QFont::TypeWriter);
        QStringList families{calculatorFontName()};
        families << QFont::substitutes(calculatorFontName())
                 << QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
        f.setFamilies(families);
    }
    return f;
}

QFont captionFont(double points, bool bold)
{
    QFont f(captionFontName());
    f.setPointSizeF(points);
    f.setBold(bold);
    if (!fontInstalled(captionFontName())) {
        f.setStyleHint(QFont::SansSerif);
        f.setFamilies(
            {captionFontName(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()});
    }
    return f;
}

} // namespace platform
