// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Controls.h"

#include <QFontMetrics>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace platform::controls
{

QLabel *label(QWidget *parent, const char *name, const QString &text)
{
    auto *l = named(new QLabel(text, parent), name);
    l->setWordWrap(true);
    return l;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, QRect place)
{
    QLabel *l = label(parent, name, text);
    l->setGeometry(place);
    return l;
}

QLabel *fittedLabel(QWidget *parent, const char *name, const QString &caption, double points,
                    bool bold, QRect place)
{
    auto *l = named(new QLabel(caption, parent), name);
    QFont f = l->font();
    f.setPointSizeF(points);
    f.setBold(bold);
    while (!caption.isEmpty() && f.pointSizeF() > 6 &&
           QFontMetrics(f).horizontalAdvance(caption) > place.width())
        f.setPointSizeF(f.pointSizeF() - 0.25);
    l->setFont(f);
    l->setGeometry(place);
    return l;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    return named(new QPushButton(text, parent), name);
}

QFrame *box(QWidget *parent, const char *name)
{
    auto *f = named(new QFrame(parent), name);
    f->setFrameStyle(QFrame::Box | QFrame::Plain);
    f->lower();
    return f;
}

QFrame *box(QWidget *parent, const char *name, QRect place)
{
    QFrame *f = box(parent, name);
    f->setGeometry(place);
    return f;
}

QToolButton *pictureButton(QWidget *parent, const char *name, const QIcon &icon, QRect place,
                           int inset)
{
    auto *b = named(new QToolButton(parent), name);
    b->setAutoRaise(true);
    b->setIcon(icon);
    b->setIconSize(place.size() - QSize(2 * inset, 2 * inset));
    b->setGeometry(place);
    return b;
}

} // namespace platform::controls
