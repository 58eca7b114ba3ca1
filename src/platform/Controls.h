// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The one way every window makes a control: named (tests and outside checks
// find them by objectName), owned by its parent, and, where a form places
// its controls itself, put at its designed place.
#include <QRect>
#include <QString>

class QFrame;
class QIcon;
class QLabel;
class QPushButton;
class QToolButton;
class QWidget;

namespace platform::controls
{

// Names a control made elsewhere (one a layout will own, say) and hands it
// back, so making and naming stay one expression.
template <typename T> T *named(T *control, const char *name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// A label that wraps its text.
QLabel *label(QWidget *parent, const char *name, const QString &text);
QLabel *label(QWidget *parent, const char *name, const QString &text, QRect place);
// A label in its own font size that shrinks the font rather than cut its
// caption off: the designed sizes assume narrower fonts than ours.
QLabel *fittedLabel(QWidget *parent, const char *name, const QString &caption, double points,
                    bool bold, QRect place);
QPushButton *button(QWidget *parent, const char *name, const QString &text);
// A plain rectangle drawn around a group of controls, below them.
QFrame *box(QWidget *parent, const char *name);
QFrame *box(QWidget *parent, const char *name, QRect place);
// A flat button showing only a picture, `inset` pixels inside its edges.
QToolButton *pictureButton(QWidget *parent, const char *name, const QIcon &icon, QRect place,
                           int inset = 0);

} // namespace platform::controls
