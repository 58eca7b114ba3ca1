// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/frmRecover.h"

#include "editor/RecoveryWriter.h"
#include "editor/frmDocument.h"
#include "platform/Dialogs.h"
#include "shell/frmMain.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace shell
{

frmRecover::frmRecover(frmMain *frame, QVector<editor::recovery::Entry> entries)
    : QDialog(frame), m_frame(frame), m_entries(std::move(entries))
{
    setObjectName(QStringLiteral("frmRecover"));
    setWindowTitle(QStringLiteral("Recover Unsaved Work"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *label = new QLabel(QStringLiteral("Torvane Studio stopped before this work was "
                                            "saved. Tick what to recover or discard."));
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    lstFiles = new QTreeWidget;
    lstFiles->setObjectName(QStringLiteral("lstFiles"));
    lstFiles->setHeaderLabels(
        {QStringLiteral("Document"), QStringLiteral("Last change"), QStringLiteral("Beginning")});
    lstFiles->setRootIsDecorated(false);
    lstFiles->header()->setStretchLastSection(true);
    cmdRecover = new QPushButton(QStringLiteral("&Recover"));
    cmdRecover->setObjectName(QStringLiteral("cmdRecover"));
    cmdDiscard = new QPushButton(QStringLiteral("&Discard"));
    cmdDiscard->setObjectName(QStringLiteral("cmdDiscard"));
    cmdLater = new QPushButton(QStringLiteral("&Later"));
    cmdLater->setObjectName(QStringLiteral("cmdLater"));
    cmdRecover->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdRecover);
    buttons->addWidget(cmdDiscard);
    buttons->addWidget(cmdLater);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(lstFiles);
    layout->addLayout(buttons);
    resize(640, 300);

    connect(cmdRecover, &QPushButton::clicked, this, &frmRecover::recoverChosen);
    connect(cmdDiscard, &QPushButton::clicked, this, &frmRecover::discardChosen);
    connect(cmdLater, &QPushButton::clicked, this, &QDialog::reject);
    fill();
}

void frmRecover::fill()
{
    lstFiles->clear();
    for (const editor::recovery::Entry &e : m_entries) {
        const QString name = e.fileName.isEmpty() ? e.caption : e.fileName;
        const QString beginning =
            e.damaged ? QStringLiteral("(damaged: can only be discarded)")
                      : e.firstLines().replace(QLatin1Char('\n'), QStringLiteral(" / "));
        auto *item = new QTreeWidgetItem(
            lstFiles,
            {name, QLocale().toString(e.changed.toLocalTime(), QLocale::ShortFormat), beginning});
        item->setCheckState(0, Qt::Checked);
        item->setToolTip(0, e.fileName.isEmpty() ? QStringLiteral("Never saved") : e.fileName);
    }
    lstFiles->resizeColumnToContents(0);
    lstFiles->resizeColumnToContents(1);
}

QVector<int> frmRecover::chosen() const
{
    QVector<int> out;
    for (int i = 0; i < lstFiles->topLevelItemCount(); ++i)
        if (lstFiles->topLevelItem(i)->checkState(0) == Qt::Checked)
            out << i;
    return out;
}

void frmRecover::recoverChosen()
{
    QVector<int> done;
    for (int i : chosen()) {
        const editor::recovery::Entry &e = m_entries[i];
        if (e.damaged)
            continue;
        editor::frmDocument *doc = m_frame->LoadNewDoc();
        QString error;
        if (!doc->recover(e.rtf, e.fileName, &error)) {
            platform::dialogs::message(this, error, QString(), QMessageBox::Critical);
            continue;
        }
        // The new window's own recovery file first, then the old one goes.
        if (auto *writer = doc->findChild<editor::RecoveryWriter *>())
            writer->writeNow();
        QFile::remove(e.path);
        done << i;
    }
    for (auto it = done.crbegin(); it != done.crend(); ++it)
        m_entries.removeAt(*it);
    if (m_entries.isEmpty())
        accept();
    else
        fill();
}

void frmRecover::discardChosen()
{
    const QVector<int> picked = chosen();
    for (auto it = picked.crbegin(); it != picked.crend(); ++it) {
        QFile::remove(m_entries[*it].path);
        m_entries.removeAt(*it);
    }
    if (m_entries.isEmpty())
        accept();
    else
        fill();
}

} // namespace shell
