// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calcfiles/frmScreenshot.h"

#include "calcfiles/CalcScreenshot.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace calcfiles
{

frmScreenshot::frmScreenshot(const calclink::Screenshot &screen, const QString &model,
                             QWidget *parent)
    : QWidget(parent, Qt::Window), m_screen(screen)
{
    setObjectName(QStringLiteral("frmScreenshot"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(model.isEmpty() ? QStringLiteral("Calculator Screenshot")
                                   : QStringLiteral("Calculator Screenshot - %1").arg(model));
    auto *layout = new QVBoxLayout(this);
    picScreen = new QLabel(this);
    picScreen->setObjectName(QStringLiteral("picScreen"));
    picScreen->setAlignment(Qt::AlignCenter);
    layout->addWidget(picScreen);
    auto *row = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("&Size:"), this);
    cboScale = new QComboBox(this);
    cboScale->setObjectName(QStringLiteral("cboScale"));
    label->setBuddy(cboScale);
    for (int i = 1; i <= 4; ++i)
        cboScale->addItem(QStringLiteral("%1\u00D7 (%2\u00D7%3)")
                              .arg(i)
                              .arg(screen.width * i)
                              .arg(screen.height * i),
                          i);
    // The small screen is hard to see at its own size.
    cboScale->setCurrentIndex(screen.width < 200 ? 2 : 1);
    cmdSave = new QPushButton(QStringLiteral("&Save\u2026"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    row->addWidget(label);
    row->addWidget(cboScale);
    row->addStretch();
    row->addWidget(cmdSave);
    layout->addLayout(row);
    connect(cboScale, &QComboBox::currentIndexChanged, this, [this] { showScaled(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { save(); });
    showScaled();
}

int frmScreenshot::scale() const
{
    return cboScale->currentData().toInt();
}

void frmScreenshot::showScaled()
{
    picScreen->setPixmap(QPixmap::fromImage(calcscreenshot::image(m_screen, scale())));
}

bool frmScreenshot::save()
{
    const QString title = QStringLiteral("Save Screenshot");
    const auto path = platform::dialogs::saveFile(
        this, title, QStringLiteral("PNG Images (*.png)|*.png"), QStringLiteral("screenshot.png"));
    if (!path)
        return false;
    QString error;
    if (calcscreenshot::savePng(m_screen, scale(), *path, &error))
        return true;
    platform::dialogs::message(this, error, title, QMessageBox::Critical);
    return false;
}

} // namespace calcfiles
