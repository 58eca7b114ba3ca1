#include "auxiliary/frmBrowser.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace auxiliary
{

frmBrowser::frmBrowser(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmBrowser"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("picAddress"));
    auto *label = new QLabel(QStringLiteral("&Address:"), strip);
    label->setObjectName(QStringLiteral("lblAddress"));
    cboAddress = new QComboBox(strip);
    cboAddress->setObjectName(QStringLiteral("cboAddress"));
    cboAddress->setEditable(true);
    label->setBuddy(cboAddress);
    auto *sl = new QHBoxLayout(strip);
    sl->addWidget(label);
    sl->addWidget(cboAddress, 1);
    m_page = new QLabel(this);
    m_page->setObjectName(QStringLiteral("brwWebBrowser"));
    m_page->setAlignment(Qt::AlignCenter);
    m_page->setWordWrap(true);
    auto *main = new QVBoxLayout(this);
    main->addWidget(strip);
    main->addWidget(m_page, 1);
    resize(640, 480);
}

void frmBrowser::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_loaded)
        return;
    m_loaded = true;
    if (!StartingAddress.isEmpty()) {
        cboAddress->setEditText(StartingAddress);
        cboAddress->addItem(StartingAddress);
        setWindowTitle(StartingAddress);
        m_page->setText(
            QStringLiteral("Page view is not available in this build.\n%1").arg(StartingAddress));
    }
}

} // namespace auxiliary
