#pragma once
// The few kinds of control both wizards are made of, placed where given.
#include <QRect>
#include <QStyle>

class QFrame;
class QLabel;
class QToolButton;
class QWidget;

namespace reference::widgets
{

QLabel *label(QWidget *parent, const char *name, const QString &text, QRect place);
QFrame *shape(QWidget *parent, const char *name, QRect place);
QToolButton *pictureButton(QWidget *parent, const char *name, QStyle::StandardPixmap picture,
                           QRect place);

} // namespace reference::widgets
