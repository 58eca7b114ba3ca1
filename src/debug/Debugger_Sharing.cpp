// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A document's program shared: as a listing on the clipboard or in a file,
// and run at the calculator's pace.
#include "calc/Listing.h"
#include "calc/Tokens.h"
#include "calculator/frmCalculator.h"
#include "debug/Debugger.h"
#include "editor/frmDocument.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>

namespace debug
{

namespace
{

calc::listing::Options listingOptions(const QString &name, bool lineNumbers)
{
    calc::listing::Options options;
    options.name = name;
    options.lineNumbers = lineNumbers;
    options.fonts = {platform::calculatorFontName(), platform::calculatorDisplayFamily()};
    return options;
}

} // namespace

void Debugger::connectSharing()
{
    connect(m_doc->action(QStringLiteral("mnuCopyAsListing")), &QAction::triggered, this, [this] {
        QString error;
        if (!copyAsListing(&error))
            platform::dialogs::message(m_doc, error, QStringLiteral("Copy as Listing"),
                                       QMessageBox::Warning);
    });
    connect(m_doc->action(QStringLiteral("mnuExportListing")), &QAction::triggered, this, [this] {
        const auto path = platform::dialogs::saveFile(
            m_doc, QStringLiteral("Export Listing"),
            QStringLiteral("Text (*.txt)|*.txt|Web Page (*.html)|*.html|Forum Post "
                           "(*.bbcode)|*.bbcode"),
            programName());
        if (!path)
            return;
        const bool numbers =
            calc::listing::formatFor(*path) == calc::listing::Format::Html &&
            platform::dialogs::message(m_doc, QStringLiteral("Number the lines?"),
                                       QStringLiteral("Export Listing"), QMessageBox::Question,
                                       QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        QString error;
        if (!exportListing(*path, numbers, &error))
            platform::dialogs::message(m_doc, error, QStringLiteral("Export Listing"),
                                       QMessageBox::Warning);
    });
    QAction *fast = m_doc->action(QStringLiteral("mnuSpeedFast"));
    QAction *slow = m_doc->action(QStringLiteral("mnuSpeedCalculator"));
    auto *speeds = new QActionGroup(this);
    for (QAction *a : {fast, slow}) {
        a->setCheckable(true);
        speeds->addAction(a);
    }
    fast->setChecked(true);
    connect(fast, &QAction::triggered, this, [this] { setCalculatorSpeed(false); });
    connect(slow, &QAction::triggered, this, [this] { setCalculatorSpeed(true); });
}

bool Debugger::listingTokens(QByteArray *tokens, QString *error)
{
    const auto t = calc::tokens::tokenize(m_doc->RichTextBox1->Text());
    if (!t.ok()) {
        selectLine(t.errorLine, t.errorColumn);
        *error = t.error;
        return false;
    }
    *tokens = t.bytes;
    return true;
}

bool Debugger::copyAsListing(QString *error)
{
    QByteArray tokens;
    if (!listingTokens(&tokens, error))
        return false;
    auto *data = new QMimeData;
    data->setText(calc::listing::text(tokens));
    data->setHtml(calc::listing::htmlFragment(tokens, listingOptions(programName(), false)));
    QGuiApplication::clipboard()->setMimeData(data);
    return true;
}

bool Debugger::exportListing(const QString &path, bool lineNumbers, QString *error)
{
    QByteArray tokens;
    return listingTokens(&tokens, error) &&
           calc::listing::write(path, tokens, listingOptions(programName(), lineNumbers), error);
}

void Debugger::setCalculatorSpeed(bool asCalculator)
{
    using Speed = calculator::Pace::Speed;
    calculator()->session().pace().setSpeed(asCalculator ? Speed::Calculator : Speed::Fast);
    m_doc->action(QLatin1String(asCalculator ? "mnuSpeedCalculator" : "mnuSpeedFast"))
        ->setChecked(true);
}

} // namespace debug
