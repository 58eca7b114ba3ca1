// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/frmSplash.h"

#include "platform/Fonts.h"
#include "platform/RegistryAccess.h"
#include "platform/WindowRegistry.h"
#include "shell/frmOptions.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace shell
{

namespace
{
QPixmap splashPicture()
{
    QPixmap pm(96, 96);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 96, 96);
    g.setColorAt(0, QColor(0x2f, 0x5d, 0x8a));
    g.setColorAt(1, QColor(0x12, 0x2b, 0x45));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(4, 4, 88, 88), 14, 14);
    // A calculator screen with a prompt.
    p.setBrush(QColor(0xc8, 0xd8, 0xb0));
    p.drawRect(QRectF(18, 18, 60, 34));
    p.setPen(QPen(QColor(0x20, 0x30, 0x20), 3));
    p.drawLine(24, 30, 34, 35);
    p.drawLine(34, 35, 24, 40);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe0, 0xe6, 0xee));
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            p.drawRoundedRect(QRectF(18 + c * 16, 60 + r * 12, 12, 8), 2, 2);
    return pm;
}
} // namespace

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setAutoFillBackground(true);

    auto label = [this](const char *name, const QString &text, double points, bool bold) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setFont(platform::captionFont(points, bold));
        l->setAlignment(Qt::AlignCenter);
        l->setWordWrap(true);
        return l;
    };
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(splashPicture());
    Image1->setAlignment(Qt::AlignCenter);
    Label1 = label("Label1", QStringLiteral("Torvane Studio"), 24, true);
    Label2 = label("Label2", QStringLiteral("Version .5.2"), 12, false);
    Label4 = label("Label4", QStringLiteral("For Windows 95, 98 and 2000"), 10, false);
    Label3 = label("Label3", QStringLiteral("Made by Torvane TI"), 9, false);
    Label5 =
        label("Label5",
              QStringLiteral("Torvane TI Programming Groups: Studio Tools and Calculator Games"), 9,
              false);
    Label6 = label("Label6", QStringLiteral("www.example.com/torvane"), 9, false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    for (QWidget *w : {static_cast<QWidget *>(Image1), static_cast<QWidget *>(Label1),
                       static_cast<QWidget *>(Label2), static_cast<QWidget *>(Label4),
                       static_cast<QWidget *>(Label3), static_cast<QWidget *>(Label5),
                       static_cast<QWidget *>(Label6)})
        layout->addWidget(w);
    resize(420, 320);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    fillOptionsDialog();
}

void frmSplash::fillOptionsDialog()
{
    // Make sure the key exists, so it does after every normal start.
    platform::RegistryAccess reg;
    reg.selectCompileOptionsForWriting();
    // Addressing the options dialog loads it hidden (its own load runs first).
    platform::windows().window<frmOptions>()->fillFromRegistry();
}

} // namespace shell
