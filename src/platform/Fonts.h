#pragma once
#include <QFont>
#include <QString>

namespace platform
{

// The calculator font and the caption font are named by the program but
// supplied by the system; when one is missing a close substitute is used.
QString calculatorFontName(); // "Ti83Pluspc"
QString captionFontName();    // "Fajita ICG Mild"
QFont calculatorFont(double points = 8.25);
QFont captionFont(double points, bool bold = false);
bool fontInstalled(const QString &family);

} // namespace platform
