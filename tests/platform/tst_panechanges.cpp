// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the rich-text pane says about each change of its text.
#include "common/TestRegistry.h"

#include "platform/RichTextBox.h"

#include <QHash>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using namespace platform;

namespace
{

// One edit: k:keys typed, ret Return, sret Shift+Return, bs Backspace, del
// Delete, wbs Ctrl+Backspace (the editor's own word deletion), put:text
// SelText, load:text whole text, rtf:data RTF load, clear QTextEdit::clear().
void edit(RichTextBox &box, const QString &op)
{
    static const QHash<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> keys = {
        {"ret", {Qt::Key_Return, {}}},
        {"sret", {Qt::Key_Return, Qt::ShiftModifier}},
        {"bs", {Qt::Key_Backspace, {}}},
        {"del", {Qt::Key_Delete, {}}},
        {"wbs", {Qt::Key_Backspace, Qt::ControlModifier}}};
    const QString kind = op.section(u':', 0, 0), arg = op.section(u':', 1);
    if (keys.contains(op))
        QTest::keyClick(&box, keys[op].first, keys[op].second);
    else if (kind == QLatin1String("k"))
        QTest::keyClicks(&box, arg);
    else if (kind == QLatin1String("put"))
        box.setSelText(arg);
    else if (kind == QLatin1String("load"))
        box.setText(arg);
    else if (kind == QLatin1String("rtf"))
        QVERIFY(box.fromRtf(arg.toLatin1(), nullptr));
    else if (op == QLatin1String("clear"))
        box.clear();
}

void select(RichTextBox &box, int start, int length)
{
    box.setSelStart(start);
    box.setSelLength(length);
}

} // namespace

class TstPaneChanges : public QObject
{
    Q_OBJECT
private slots:
    void changeIsReported_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("selection");
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("inserted");

        using S = QList<int>;
        // clang-format off
        // edits the replay property covers; here each must be a single report of the smallest change
        QTest::newRow("typed over a selection") << "ABCDE" << S{1, 3} << "k:X" << 1 << "BCD" << "X";
        QTest::newRow("same-length overwrite") << "AB" << S{0, 1} << "k:X" << 0 << "A" << "X";
        QTest::newRow("Backspace joins lines") << "A\r\nB" << S{3, 0} << "bs" << 1 << "\r\n" << "";
        QTest::newRow("word deleted") << "Disp HELLO" << S{10, 0} << "wbs" << 5 << "HELLO" << "";
        QTest::newRow("load extends") << "AB" << S{0, 0} << "load:ABXYZ" << 2 << "" << "XYZ";
        QTest::newRow("load replaces") << "HELLO\r\nX" << S{0, 0} << "load:WORLD" << 0 << "HELLO\r\nX" << "WORLD";
        QTest::newRow("load same text") << "A\r\nB" << S{0, 0} << "load:A\r\nB" << 0 << "" << "";
        QTest::newRow("load empty") << "A\r\nB" << S{0, 0} << "load:" << 0 << "A\r\nB" << "";
        QTest::newRow("rtf load") << "a" << S{0, 0} << "rtf:{\\rtf1 a\\par b}" << 1 << "" << "\r\nb";
        // clang-format on
    }
    void changeIsReported()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, selection);
        QFETCH(QString, op);
        RichTextBox box;
        box.setText(text);
        select(box, selection[0], selection[1]);
        QSignalSpy change(&box, &RichTextBox::Change);
        edit(box, op);
        QCOMPARE(change.size(), 1);
        QTEST(box.lastChange().position, "position");
        QTEST(box.lastChange().removed, "removed");
        QTEST(box.lastChange().inserted, "inserted");
    }
    // Applying every reported change to a copy of the text keeps the copy equal
    // to the pane's text, whatever edits the pane goes through; after an edit at
    // the caret the caret already stands after the inserted text when it is reported.
    void changesReplayToTheText()
    {
        const QStringList pieces{
            "A", "xy", "\r\n",     testing::chars({0x80, 0x93}), "Disp 1\r\nEnd",
            " ", "Q",  "\r\n\r\n", testing::chars({0xFC})};
        const QStringList ops{"k:ab", "k:Z",  "ret",   "sret", "bs",   "del",
                              "wbs",  "put:", "load:", "rtf:", "clear"};
        QRandomGenerator rng(9);
        RichTextBox box;
        QString copy;
        int failures = 0;
        bool atCaret = false;
        connect(&box, &RichTextBox::Change, this, [&] {
            const TextChange &c = box.lastChange();
            if (copy.mid(c.position, c.removed.size()) != c.removed ||
                (atCaret && box.SelStart() != c.position + c.inserted.size()))
                ++failures;
            copy.replace(c.position, c.removed.size(), c.inserted);
        });
        auto piece = [&] { return pieces[rng.bounded(int(pieces.size()))]; };
        for (int step = 0; step < 1500; ++step) {
            const int length = box.TextLength();
            select(box, rng.bounded(length + 1), rng.bounded(3) == 0 ? rng.bounded(6) : 0);
            QString op = ops[rng.bounded(int(ops.size()))];
            if (op == QLatin1String("put:") || op == QLatin1String("load:"))
                op += piece() + piece() + piece();
            else if (op == QLatin1String("rtf:"))
                op +=
                    QStringLiteral("{\\rtf1 %1\\par %2}").arg(rng.bounded(100)).arg(rng.bounded(9));
            atCaret = box.SelLength() == 0 && !op.startsWith(QLatin1String("load:")) &&
                      !op.startsWith(QLatin1String("rtf:")) && op != QLatin1String("clear");
            edit(box, op);
            QCOMPARE(copy, box.Text());
            QCOMPARE(failures, 0);
            QCOMPARE(box.TextLength(), int(copy.size()));
        }
    }
    void textRange()
    {
        RichTextBox box;
        const QString text = "While 1\r\n" + testing::chars({0x80}) + "X\r\n\r\nEnd";
        box.setText(text);
        for (int from = 0; from <= text.size(); ++from) {
            for (int to = from; to <= text.size(); ++to) {
                // A range edge between CR and LF is not asked for: the pair is one unit.
                if ((from > 0 && text[from - 1] == u'\r') || (to > 0 && text[to - 1] == u'\r'))
                    continue;
                QCOMPARE(box.textRange(from, to - from), text.mid(from, to - from));
            }
        }
        QCOMPARE(box.textRange(-5, 3), QString("Whi"));
        QCOMPARE(box.textRange(15, 100), QString("End"));
    }
};

TORVANE_TEST(TstPaneChanges);
#include "tst_panechanges.moc"
