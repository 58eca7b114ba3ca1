#pragma once
// Controls every window makes the same way: named (tests and outside checks
// find them by objectName) and owned by their parent.
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace platform::controls
{

// A label that wraps its text.
QLabel *label(QWidget *parent, const char *name, const QString &text);
QPushButton *button(QWidget *parent, const char *name, const QString &text);
// A plain rectangle drawn around a group of controls, below them.
QFrame *box(QWidget *parent, const char *name);

} // namespace platform::controls
