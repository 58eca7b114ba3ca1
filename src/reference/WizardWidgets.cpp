#include "reference/WizardWidgets.h"

#include "platform/Controls.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace reference::widgets
{

QLabel *label(QWidget *parent, const char *name, const QString &text, QRect place)
{
    QLabel *l = platform::controls::label(parent, name, text);
    l->setGeometry(place);
    return l;
}

QFrame *shape(QWidget *parent, const char *name, QRect place)
{
    QFrame *f = platform::controls::box(parent, name);
    f->setGeometry(place);
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
