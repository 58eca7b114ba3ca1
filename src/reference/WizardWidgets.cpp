#include "reference/WizardWidgets.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace reference::widgets
{

QLabel *label(QWidget *parent, const char *name, const QString &text, QRect place)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    l->setGeometry(place);
    return l;
}

QFrame *shape(QWidget *parent, const char *name, QRect place)
{
    auto *f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    f->setFrameShape(QFrame::Box);
    f->setFrameShadow(QFrame::Plain);
    f->setGeometry(place);
    f->lower();
    return f;
}

QToolButton *pictureButton(QWidget *parent, const char *name, QStyle::StandardPixmap picture,
                           QRect place)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoRaise(true);
    b->setIcon(parent->style()->standardIcon(picture));
    b->setIconSize(place.size() - QSize(8, 8));
    b->setGeometry(place);
    return b;
}

} // namespace reference::widgets
