// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The checks raise no false alarm on the reference's examples and the
// wizards' code.
#include "calc/Checks.h"
#include "common/TestRegistry.h"
#include "reference/ReferenceEntries.h"
#include "reference/WizardText.h"

#include <QTest>

namespace
{

// "line:column severity: message" of the errors and warnings, '|' between.
QString alarms(const QString &text)
{
    calc::checks::Options o;
    o.hints = false;
    QStringList out;
    for (const auto &p : calc::checks::check(text, o)) {
        if (p.severity == calc::checks::Severity::Info)
            continue; // a note is no alarm
        out << QStringLiteral("%1:%2 %3: %4")
                   .arg(p.line)
                   .arg(p.column)
                   .arg(calc::checks::severityName(p.severity), p.message);
    }
    return out.join(QLatin1Char('|'));
}

} // namespace

class TstReferenceChecks : public QObject
{
    Q_OBJECT

private slots:
    void examples()
    {
        int checked = 0;
        for (const auto &e : reference::referenceEntries()) {
            if (e.example.lines.isEmpty())
                continue;
            ++checked;
            const QString found = alarms(reference::joinLines(e.example.lines));
            // The While entry shows a piece of a loop, cut before its End.
            if (e.item == QLatin1String("mnuWhile"))
                QCOMPARE(found, QStringLiteral("1:1 warning: While is never closed: End is missing "
                                               "(this matters only when the program runs it again "
                                               "and again: ERR:MEMORY in the end)"));
            else
                QVERIFY2(found.isEmpty(), qPrintable(e.item + QLatin1String(": ") + found));
        }
        QVERIFY(checked > 20);
    }

    void wizards_data()
    {
        using namespace reference;
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("expected");
        const QString q = QStringLiteral("\"");
        QTest::newRow("menu") << menuwizard::opening() + menuwizard::titleText(q, "GAME") +
                                     menuwizard::itemText(q, "PLAY") + "P" +
                                     menuwizard::itemText(q, "QUIT") + "Q" + menuwizard::closing() +
                                     "\r\nLbl P\r\nLbl Q"
                              << QString();
        // The wizard's loop leaves its blocks by Goto: a true warning.
        QTest::newRow("getkey")
            << getkeywizard::skeleton() + getkeywizard::keyBlock("24", "L") +
                   getkeywizard::keyBlock("26", "R") + getkeywizard::closing() +
                   "\r\nLbl L\r\nLbl R"
            << "8:1 warning: jumping to L leaves While open: the calculator loses memory each "
               "time (ERR:MEMORY in the end)|12:1 warning: jumping to R leaves While open: the "
               "calculator loses memory each time (ERR:MEMORY in the end)";
    }
    void wizards()
    {
        QFETCH(QString, program);
        QTEST(alarms(program), "expected");
    }
};

TORVANE_TEST(TstReferenceChecks);
#include "tst_referencechecks.moc"
