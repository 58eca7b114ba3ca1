#include "platform/Fonts.h"

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

QFont calculatorFont(double points)
{
    QFont f(calculatorFontName());
    f.setPointSizeF(points);
    if (!fontInstalled(calculatorFontName())) {
        f.setStyleHint(QFont::TypeWriter);
        f.setFamilies(
            {calculatorFontName(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
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
