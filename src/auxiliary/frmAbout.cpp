// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "auxiliary/frmAbout.h"

#include "platform/Dialogs.h"
#include "platform/RegistryAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace auxiliary
{

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Torvane Studio"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto label = [this](const char *name, const QString &text) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setWordWrap(true);
        return l;
    };
    auto *main = new QVBoxLayout(this);
    main->addWidget(label("Label2", QStringLiteral("Torvane Studio")));
    main->addWidget(label("Label3", QStringLiteral("Version .5.2")));
    main->addWidget(
        label("Label4", QStringLiteral("Warning: Read this jargon below! It's important!")));
    main->addWidget(label(
        "Label1", QStringLiteral("Torvane Studio is the property of Torvane TI. You may use it "
                                 "to write and share your own calculator programs. You may not "
                                 "sell it or pass it off as your own work.")));
    main->addWidget(label("Label5", QStringLiteral("Future versions:")));
    Label6 = label("Label6", QStringLiteral("* Add a lot of more wizards.\r\n"
                                            "* Add HTML to compile options.\r\n"
                                            "* Add More Compile Features.\r\n"
                                            "*Add Graph Features.\r\n"
                                            "Add Qor 2000 Compability."));
    main->addWidget(Label6);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info"), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    main->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
}

namespace
{
// The desktops' own "about this system" tools, for a system where no tool
// is registered.
struct Tool {
    const char *program;
    const char *argument;
};
const Tool desktopTools[] = {{"gnome-control-center", "info-overview"},
                             {"kinfocenter", nullptr},
                             {"xfce4-about", nullptr},
                             {"hardinfo", nullptr}};

// The tool the registry names, if any.
QString registeredTool()
{
    QString path;
    if (frmAbout::GetKeyValue(frmAbout::HKEY_LOCAL_MACHINE,
                              QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                              QStringLiteral("PATH"), path))
        return path;
    QString folder;
    const QString tool = QStringLiteral("MSINFO32.EXE");
    if (frmAbout::GetKeyValue(frmAbout::HKEY_LOCAL_MACHINE,
                              QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                              QStringLiteral("MSINFO"), folder) &&
        QFileInfo::exists(QDir(folder).filePath(tool)))
        return QDir(folder).filePath(tool);
    return QString();
}
} // namespace

void frmAbout::StartSysInfo()
{
    QString program = registeredTool();
    QStringList arguments;
    for (const Tool &t : desktopTools) {
        if (!program.isEmpty())
            break;
        program = QStandardPaths::findExecutable(QString::fromLatin1(t.program));
        if (!program.isEmpty() && t.argument)
            arguments << QString::fromLatin1(t.argument);
    }
    if (program.isEmpty() || !QProcess::startDetached(program, arguments))
        platform::dialogs::message(
            this, QStringLiteral("System Information Is Unavailable At This Time"));
}

bool frmAbout::GetKeyValue(quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                           QString &KeyVal)
{
    KeyVal.clear();
    const QString root = platform::RegistryAccess::rootKeyPath(KeyRoot);
    platform::RegistryAccess registry;
    if (root.isEmpty() || !registry.SelectKey(root + QLatin1Char('\\') + KeyName))
        return false;
    QString stored = registry.valueText(SubKeyRef);
    if (stored.isNull())
        return false;
    // The value as the registry hands it over: cut at its first NUL.
    stored.truncate(stored.indexOf(QChar(0)) < 0 ? stored.size() : stored.indexOf(QChar(0)));
    platform::RegistryAccess::valueKind(stored, &KeyVal);
    return true;
}

} // namespace auxiliary
