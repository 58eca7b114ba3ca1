// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// File > Import Calculator Program: the file asked for, a choice among
// several programs, and the status-bar message.
#include "calc/CalcFile.h"
#include "calcfiles/frmImportPrograms.h"
#include "common/TestRegistry.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace calcfiles;
namespace calcfile = calc::calcfile;
namespace dialogs = platform::dialogs;

namespace
{

// A file of the programs ONE, TWO (protected, archived) and THREE, and a
// real number A.
QByteArray threePrograms()
{
    const auto entry = [](const char *name, bool isProtected) {
        const QByteArray f =
            calcfile::build(u"Disp 1", name, isProtected, calcfile::Model::Ti83Plus).file;
        return f.mid(55, f.size() - 57);
    };
    QByteArray two = entry("TWO", true);
    two[14] = '\x80';
    const QByteArray data = entry("ONE", false) + two + entry("THREE", false) +
                            QByteArray::fromHex("0D00 0900 00 4100000000000000 00 00 0900") +
                            QByteArray(9, '\0');
    QByteArray file = calcfile::build(u"1", "X", false, calcfile::Model::Ti83Plus).file.left(53);
    file.append(char(data.size() & 0xFF)).append(char(data.size() >> 8)).append(data);
    int sum = 0;
    for (char c : data)
        sum += static_cast<unsigned char>(c);
    return file.append(char(sum & 0xFF)).append(char((sum >> 8) & 0xFF));
}

} // namespace

class TstfrmImportPrograms : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    dialogs::Script m_script;

    QString write(const char *name, const QByteArray &bytes)
    {
        QFile f(m_dir.filePath(name));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() ? f.fileName()
                                                                              : QString();
    }

private slots:
    void init() { dialogs::setScript(&(m_script = dialogs::Script())); }
    void cleanup() { dialogs::setScript(nullptr); }

    // Several programs: all offered checked; the ones left checked open.
    void pickAmongSeveral()
    {
        m_script.files = {write("g.8xg", threePrograms())};
        QStringList offered;
        bool okWithoutAny = true;
        QTimer::singleShot(0, [&] {
            auto *pick = qobject_cast<frmImportPrograms *>(QApplication::activeModalWidget());
            QVERIFY(pick);
            for (int i = 0; i < pick->lstPrograms->count(); ++i) {
                offered << pick->lstPrograms->item(i)->text();
                pick->lstPrograms->item(i)->setCheckState(Qt::Unchecked);
            }
            QPushButton *ok = pick->buttons->button(QDialogButtonBox::Ok);
            okWithoutAny = ok->isEnabled();
            pick->lstPrograms->item(0)->setCheckState(Qt::Checked);
            pick->lstPrograms->item(1)->setCheckState(Qt::Checked);
            ok->click();
        });
        const CalcImport result = importCalculatorPrograms(nullptr);
        QCOMPARE(offered, QStringList({"ONE", "TWO (protected, archived)", "THREE"}));
        QVERIFY(!okWithoutAny);
        QCOMPARE(result.programs.size(), 2);
        QCOMPARE(result.programs[1].text, QString("Disp 1"));
        QCOMPARE(result.status,
                 QString("Imported the program ONE. Imported the program TWO (protected, "
                         "archived). Not imported: THREE. Skipped, not programs: A (real "
                         "number)."));
        QCOMPARE(m_script.asked[0].defaultAnswer,
                 QString("Calculator Programs (*.8xp *.83p *.8xg *.83g)|*.8xp;*.83p;*.8xg;*.83g"));
    }

    // One program opens without a question; bad files say why and open
    // nothing; cancelling opens nothing.
    void oneProgramOrNone()
    {
        QByteArray cut = calcfile::build(u"Disp 1", "CUT", false, calcfile::Model::Ti83Plus).file;
        cut[75] = '\xBB'; // the last token now starts a two-byte one
        int sum = 0;
        for (qsizetype i = 55; i < cut.size() - 2; ++i)
            sum += static_cast<unsigned char>(cut.at(i));
        cut[cut.size() - 2] = char(sum & 0xFF);
        cut[cut.size() - 1] = char((sum >> 8) & 0xFF);
        m_script.files = {
            write("a.8xp",
                  calcfile::build(u"Disp 1", "ONE", false, calcfile::Model::Ti83Plus).file),
            write("cut.8xp", cut), std::nullopt};
        const CalcImport one = importCalculatorPrograms(nullptr);
        QCOMPARE(one.programs.size(), 1);
        QCOMPARE(one.status, QString("Imported the program ONE."));
        QVERIFY(importCalculatorPrograms(nullptr).programs.isEmpty());
        QCOMPARE(m_script.asked.back().text,
                 QString("\"%1\" was not imported.\n\nThe program CUT cannot be read: The program "
                         "ends in the middle of a two-byte token ($BB).")
                     .arg(m_dir.filePath("cut.8xp")));
        QVERIFY(importCalculatorPrograms(nullptr).programs.isEmpty());
        QCOMPARE(m_script.titles(),
                 QStringList({"Import Calculator Program", "Import Calculator Program",
                              "Import Calculator Program", "Import Calculator Program"}));
    }
};

TORVANE_TEST(TstfrmImportPrograms);
#include "tst_frmImportPrograms.moc"
