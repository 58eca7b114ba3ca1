// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/frmFirstTime.h"

#include "platform/Config.h"
#include "platform/Dialogs.h"
#include "platform/RegistryAccess.h"
#include "platform/SettingsStore.h"
#include "platform/WindowRegistry.h"
#include "shell/Pause.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell
{

frmFirstTime::frmFirstTime(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmFirstTime"));
    setWindowTitle(QStringLiteral("First Time Setup"));
    setAttribute(Qt::WA_DeleteOnClose);

    Label2 = new QLabel(QStringLiteral(
        "This is Torvane Studio's First Time Setup. This will prepare all variables into the "
        "Registry. You will only need to do this once, unless you delete some keys/values out of "
        "the Registry."));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);

    auto *frame = new QGroupBox(QStringLiteral("Status"));
    frame->setObjectName(QStringLiteral("Frame1"));
    Label1 = new QLabel;
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    ProgressBar1 = new QProgressBar;
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    auto *fl = new QVBoxLayout(frame);
    fl->addWidget(Label1);
    fl->addWidget(ProgressBar1);

    Command1 = new QPushButton(QStringLiteral("Start"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("Close"));
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setEnabled(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    auto *main = new QVBoxLayout(this);
    main->addWidget(Label2);
    main->addWidget(frame);
    main->addLayout(buttons);
    resize(420, 240);

    connect(Command1, &QPushButton::clicked, this, &frmFirstTime::start);
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);
    platform::bindDialogKeys(this, Command1, Command2);
}

void frmFirstTime::setProgress(int value)
{
    ProgressBar1->setValue(value);
    emit progressChanged(value);
}

void frmFirstTime::start()
{
    // The window may be closed during the pauses; the run then finishes
    // without touching it.
    QPointer<frmFirstTime> self(this);
    Command1->setEnabled(false);
    Label1->setText(QStringLiteral("Creating keys into the registry."));
    setProgress(10);

    platform::RegistryAccess reg;
    bool ok = reg.selectCompileOptionsForWriting();
    Label1->setText(QStringLiteral("Creating values into the registry."));
    setProgress(17);
    int type = 0;
    ok &= reg.SetValue(platform::config::registry::WebPageOption, type, QStringLiteral("1"));
    setProgress(25);
    ok &= reg.SetValue(platform::config::registry::EMailOption, type, QStringLiteral("1"));
    ok &= reg.SetValue(platform::config::registry::DateFinishedOption, type, QStringLiteral("1"));
    setProgress(39);
    ok &= reg.SetValue(platform::config::registry::CompanyNameOption, type, QStringLiteral("1"));
    ok &= reg.SetValue(platform::config::registry::DocumentProgramOption, type,
                       QString(platform::config::registry::NotePad));
    setProgress(47);

    const std::pair<double, int> steps[] = {{1, 60}, {3, 69}, {2, 75}, {2, 89}, {3, 97}, {5, 100}};
    for (const auto &[seconds, progress] : steps) {
        // Closed, or the application quits: the values are written, so the
        // setup finishes at once instead of waiting out its pauses.
        if (!self || !self->isVisible() || !shell::pause(seconds))
            break;
        setProgress(progress);
    }

    // The next start is a normal one only when every value was written.
    if (ok)
        ok = platform::settings::writeOption(platform::config::ShowFirstTime, QStringLiteral("0"));
    if (!ok) {
        // A failed write must not pass for a finished setup.
        platform::dialogs::message(
            self && self->isVisible() ? self.data() : nullptr,
            QStringLiteral("The setup could not write its values.\n%1").arg(reg.lastError()),
            QString(), QMessageBox::Critical);
    }
    if (!self)
        return;
    Label1->setText(
        ok ? QStringLiteral("Press the 'Close' button to close this dialog box. Then, "
                            "restart Torvane Studio from the applications menu, or with the "
                            "command torvane-studio.")
           : QStringLiteral("The setup did not finish. Press 'Close' and try again."));
    Command2->setEnabled(true);
}

} // namespace shell
