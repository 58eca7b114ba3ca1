#include "auxiliary/frmAbout.h"

#include "platform/Dialogs.h"

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

void frmAbout::StartSysInfo()
{
    // This system has no system-information tool to start.
    platform::dialogs::message(this,
                               QStringLiteral("System Information Is Unavailable At This Time"));
}

} // namespace auxiliary
