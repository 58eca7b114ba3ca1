#include "reference/frmExample.h"

#include "platform/CloseOnShow.h"
#include "platform/Config.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QTextEdit>

namespace reference
{

frmExample::frmExample(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmExample"));
    setWindowTitle(QStringLiteral("Example"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(platform::px(2415), platform::px(5355));

    RichTextBox1 = new QTextEdit(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setGeometry(platform::rectTwips(120, 120, 2175, 4815));
    Check1 = new QCheckBox(QStringLiteral("Don't show this again."), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(platform::rectTwips(120, 5040, 2175, 255));
    connect(Check1, &QCheckBox::clicked, this, [this](bool marked) {
        platform::settings::writeOption(platform::config::ShowExample,
                                        marked ? QStringLiteral("0") : QStringLiteral("1"));
    });
    if (platform::settings::readOption(platform::config::ShowExample) == 0)
        platform::closeWhenShown(this);
}

} // namespace reference
