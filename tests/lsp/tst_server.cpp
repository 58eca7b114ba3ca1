// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// `torvane-studio --lsp` driven as an editor drives it, through framed
// messages on its standard input and output.
#include "calc/Checks.h"
#include "calc/Tokens.h"
#include "calcfiles/ProgramFile.h"
#include "common/TestRegistry.h"
#include "lsp/Documents.h"
#include "lsp/LspClient.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

namespace
{

const QString kUri = QStringLiteral("file:///programs/prog.8xp.txt");

QJsonObject at(int line, int character)
{
    return {{"line", line}, {"character", character}};
}
QJsonObject range(int l1, int c1, int l2, int c2)
{
    return {{"start", at(l1, c1)}, {"end", at(l2, c2)}};
}
QJsonObject docAt(const QString &uri, int line, int character)
{
    return {{"textDocument", QJsonObject{{"uri", uri}}}, {"position", at(line, character)}};
}
QString startOf(const QJsonObject &d)
{
    const QJsonObject s = d.value("range").toObject().value("start").toObject();
    const QJsonObject e = d.value("range").toObject().value("end").toObject();
    return QStringLiteral("%1:%2-%3:%4")
        .arg(s.value("line").toInt())
        .arg(s.value("character").toInt())
        .arg(e.value("line").toInt())
        .arg(e.value("character").toInt());
}
// The replies among the messages, as "id:ok" or "id:code".
QString summary(const QJsonObject &m)
{
    const QString id =
        m.value("id").isNull() ? QStringLiteral("null") : QString::number(m.value("id").toInt());
    return id + ':' + (m.contains("error") ? QString::number(errorCode(m)) : QStringLiteral("ok"));
}
QByteArray requestFrame(int id, const QString &method, const QJsonObject &params = {})
{
    return LspClient::frame(LspClient::requestJson(id, method, params));
}
QByteArray initFrame(int id)
{
    return requestFrame(id, "initialize", {{"capabilities", QJsonObject()}});
}
// The model text the checks see, as the command line reads the listing.
QString modelOf(const QString &text)
{
    return calcfiles::textProgram(text.toUtf8()).model;
}
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstServer : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    // Applies one text edit of a workspace edit to the client's copy.
    static QString applied(QString text, const QJsonObject &edit)
    {
        const lsp::TextDocument doc("u", "tibasic", 1, text);
        const QJsonObject r = edit.value("range").toObject();
        const int from = doc.offsetOf(lsp::positionFrom(r.value("start").toObject()));
        const int to = doc.offsetOf(lsp::positionFrom(r.value("end").toObject()));
        return text.replace(from, to - from, edit.value("newText").toString());
    }
    static QJsonArray editsOf(const QJsonObject &action)
    {
        return action.value("edit").toObject().value("changes").toObject().value(kUri).toArray();
    }
    void change(LspClient &c, int version, const QJsonArray &changes)
    {
        c.notify("textDocument/didChange",
                 {{"textDocument", QJsonObject{{"uri", kUri}, {"version", version}}},
                  {"contentChanges", changes}});
    }

private slots:
    void wire_data()
    {
        QTest::addColumn<QList<QByteArray>>("writes");
        QTest::addColumn<QStringList>("replies");
        const QByteArray init = initFrame(1);
        QTest::newRow("split reads")
            << QList<QByteArray>{init.left(7), init.mid(7, 30), init.mid(37)}
            << QStringList{"1:ok"};
        QTest::newRow("merged reads")
            << QList<QByteArray>{init + requestFrame(2, "shutdown")} << QStringList{"1:ok", "2:ok"};
        QTest::newRow("extra headers")
            << QList<QByteArray>{"Content-Type: application/vscode-jsonrpc; charset=utf-8\r\n" +
                                 init}
            << QStringList{"1:ok"};
        QTest::newRow("bad JSON") << QList<QByteArray>{LspClient::frame("{\"jsonrpc\":"), init}
                                  << QStringList{"null:-32700", "1:ok"};
        QTest::newRow("missing length") << QList<QByteArray>{"Content-Type: x\r\n\r\n", init}
                                        << QStringList{"null:-32700", "1:ok"};
        QByteArray huge = "Content-Length: 70000000\r\n\r\n";
        huge += QByteArray(70000000, '{');
        QTest::newRow("huge length")
            << QList<QByteArray>{huge, init} << QStringList{"null:-32700", "1:ok"};
        QTest::newRow("not a request") << QList<QByteArray>{init + LspClient::frame("[1,2]")}
                                       << QStringList{"1:ok", "null:-32600"};
    }
    void wire()
    {
        QFETCH(QList<QByteArray>, writes);
        QFETCH(QStringList, replies);
        LspClient c;
        QVERIFY(c.started());
        for (const QByteArray &w : writes) {
            c.writeRaw(w);
            // A pause, so that each write arrives as a read of its own.
            QThread::msleep(30);
        }
        QStringList got;
        while (got.size() < replies.size()) {
            const QJsonObject m = c.next();
            if (m.isEmpty())
                break;
            if (!m.contains("method"))
                got << summary(m);
        }
        QCOMPARE(got, replies);
        // And it still answers.
        QCOMPARE(c.request("shutdown").value("id").toInt(), 1001);
    }

    void lifecycle_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("replies");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("request before initialize")
            << QStringList{"hover", "init", "shutdown", "exit"} << QStringList{"-32002", "ok", "ok"}
            << 0;
        QTest::newRow("unknown method") << QStringList{"init", "unknown", "shutdown", "exit"}
                                        << QStringList{"ok", "-32601", "ok"} << 0;
        QTest::newRow("request after shutdown") << QStringList{"init", "shutdown", "hover", "exit"}
                                                << QStringList{"ok", "ok", "-32600"} << 0;
        QTest::newRow("initialize twice") << QStringList{"init", "init", "shutdown", "exit"}
                                          << QStringList{"ok", "-32600", "ok"} << 0;
        QTest::newRow("document not open") << QStringList{"init", "hover", "shutdown", "exit"}
                                           << QStringList{"ok", "-32602", "ok"} << 0;
        QTest::newRow("cancelled before its answer")
            << QStringList{"init", "cancelled hover", "shutdown", "exit"}
            << QStringList{"ok", "-32800", "ok"} << 0;
        QTest::newRow("exit without shutdown")
            << QStringList{"init", "exit"} << QStringList{"ok"} << 1;
        QTest::newRow("end of input") << QStringList{"init", "close"} << QStringList{"ok"} << 1;
        QTest::newRow("end of input after shutdown")
            << QStringList{"init", "shutdown", "close"} << QStringList{"ok", "ok"} << 1;
    }
    void lifecycle()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, replies);
        QFETCH(int, exitCode);
        LspClient c;
        QVERIFY(c.started());
        QStringList got;
        const QJsonObject hover = docAt(kUri, 0, 0);
        for (const QString &step : steps) {
            QJsonObject r;
            if (step == "init")
                r = c.request("initialize", {{"capabilities", QJsonObject()}});
            else if (step == "shutdown")
                r = c.request("shutdown");
            else if (step == "hover")
                r = c.request("textDocument/hover", hover);
            else if (step == "unknown")
                r = c.request("textDocument/unknown");
            else if (step == "exit")
                c.notify("exit");
            else if (step == "close")
                c.process().closeWriteChannel();
            if (step == "cancelled hover") {
                // Both in one write: the request is not answered yet when the
                // cancellation is read.
                c.writeRaw(
                    requestFrame(77, "textDocument/hover", hover) +
                    LspClient::frame(LspClient::notificationJson("$/cancelRequest", {{"id", 77}})));
                r = c.waitFor([](const QJsonObject &m) { return m.value("id") == 77; });
            }
            if (!r.isEmpty())
                got << (r.contains("error") ? QString::number(errorCode(r)) : QString("ok"));
        }
        QCOMPARE(got, replies);
        QCOMPARE(c.exitCode(), exitCode);
    }

    // No window system is started: a platform that does not exist would
    // end a program that made one. The log gets what is not protocol.
    void noDisplay()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "none-such");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        const QString log = m_dir.filePath("server.log");
        LspClient c({"--lsp-log", log}, env);
        QVERIFY(c.started());
        QVERIFY(c.initialize().contains("result"));
        QVERIFY(c.request("shutdown").contains("result"));
        c.notify("exit");
        QCOMPARE(c.exitCode(), 0);
        QVERIFY(c.process().readAllStandardError().isEmpty());
        QVERIFY(readAll(log).contains("initialize"));
    }

    // Several changes in one message, applied in order, over characters of
    // one UTF-16 unit and of two.
    void incrementalEdits()
    {
        LspClient c;
        c.initialize();
        c.open(kUri, QString::fromUtf8("1→A\nDisp θ²\nʟABC→ʟB"));
        QCOMPARE(c.diagnostics(kUri), QJsonArray());
        change(c, 2,
               {QJsonObject{{"range", range(0, 2, 0, 3)}, {"text", QString::fromUtf8("θ")}},
                QJsonObject{{"range", range(1, 5, 1, 5)}, {"text", QString::fromUtf8("😀")}}});
        const QJsonArray d = c.diagnostics(kUri);
        QCOMPARE(d.size(), 1);
        QCOMPARE(d[0].toObject().value("code").toString(), QString("no-token"));
        QCOMPARE(startOf(d[0].toObject()), QString("1:5-1:7"));
        // θ after the pair is where the editor has it.
        const QJsonObject h = c.request("textDocument/hover", docAt(kUri, 1, 7));
        QCOMPARE(startOf(h.value("result").toObject()), QString("1:7-1:8"));
        change(c, 3,
               {QJsonObject{{"range", range(1, 5, 1, 7)}, {"text", ""}},
                QJsonObject{{"range", range(1, 7, 1, 7)}, {"text", "+1"}},
                QJsonObject{{"range", range(2, 0, 2, 4)}, {"text", QString::fromUtf8("ʟXY")}}});
        QCOMPARE(c.diagnostics(kUri), QJsonArray());
        const QJsonArray f =
            c.request("textDocument/formatting",
                      {{"textDocument", QJsonObject{{"uri", kUri}}}, {"options", QJsonObject{}}})
                .value("result")
                .toArray();
        QCOMPARE(f.size(), 1);
        QCOMPARE(f[0].toObject().value("newText").toString(),
                 QString::fromUtf8("1→θ\nDisp θ²+1\nʟXY→ʟB\n"));
    }

    // The checks' own problems, each where the editor shows its text.
    void diagnostics_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected"); // range and code of each
        QTest::newRow("missing label")
            << "Goto Z\nDisp 1" << QStringList{"0:5-0:6 missing-label", "1:0-1:6 unreachable"};
        QTest::newRow("colon marks") << ":Disp 1\n:Goto Q" << QStringList{"1:6-1:7 missing-label"};
        QTest::newRow("indented") << "If 1\nThen\n  Goto Q\nEnd"
                                  << QStringList{"1:0-1:4 saves-bytes", "2:7-2:8 missing-label"};
        QTest::newRow("hint") << "Disp 0.5" << QStringList{"0:5-0:6 saves-bytes"};
        QTest::newRow("after a symbol")
            << QString::fromUtf8("θ→A:Goto Q") << QStringList{"0:9-0:10 missing-label"};
    }
    void diagnostics()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        LspClient c;
        c.initialize();
        c.open(kUri, text);
        const QJsonArray d = c.diagnostics(kUri);
        const auto problems = calc::checks::check(modelOf(text));
        QCOMPARE(d.size(), problems.size());
        QStringList got;
        for (int i = 0; i < d.size(); ++i) {
            const QJsonObject o = d[i].toObject();
            got << startOf(o) + ' ' + o.value("code").toString();
            QCOMPARE(o.value("message").toString(), problems[i].message);
            QCOMPARE(o.value("source").toString(), QString("torvane"));
        }
        QCOMPARE(got, expected);
    }

    void unnecessaryClosers()
    {
        LspClient c;
        c.initialize();
        c.open(kUri, "Output(1,1,\"HI\")");
        const QJsonArray d = c.diagnostics(kUri);
        QVERIFY(!d.isEmpty());
        for (const QJsonValue &v : d) {
            const QJsonObject o = v.toObject();
            QCOMPARE(o.value("code").toString(), QString("closing-not-needed"));
            QCOMPARE(o.value("tags").toArray(), QJsonArray{1});
            QVERIFY(o.value("message").toString().contains("saves"));
            QVERIFY(o.value("data").toObject().contains("fix"));
        }
    }

    // A Goto without its label: both fixes; the first makes the error go.
    void missingLabelFixes()
    {
        LspClient c;
        c.initialize();
        QString text = "Lbl Y\nGoto Z";
        c.open(kUri, text);
        QCOMPARE(c.diagnostics(kUri).size(), 2); // and nothing jumps to Y
        const QJsonArray actions =
            c.request("textDocument/codeAction",
                      {{"textDocument", QJsonObject{{"uri", kUri}}},
                       {"range", range(1, 5, 1, 5)},
                       {"context", QJsonObject{{"diagnostics", QJsonArray()}}}})
                .value("result")
                .toArray();
        QCOMPARE(actions.size(), 2);
        QCOMPARE(actions[0].toObject().value("title").toString(), QString("Add Lbl Z at the end"));
        QCOMPARE(actions[1].toObject().value("title").toString(), QString("Go to Y instead"));
        QCOMPARE(actions[0].toObject().value("kind").toString(), QString("quickfix"));
        QCOMPARE(applied(text, editsOf(actions[1].toObject())[0].toObject()),
                 QString("Lbl Y\nGoto Y"));
        const QJsonObject add = editsOf(actions[0].toObject())[0].toObject();
        text = applied(text, add);
        QCOMPARE(text, QString("Lbl Y\nGoto Z\nLbl Z"));
        change(c, 2, {QJsonObject{{"range", add.value("range")}, {"text", add.value("newText")}}});
        const QJsonArray after = c.diagnostics(kUri);
        QCOMPARE(after.size(), 1);
        QCOMPARE(after[0].toObject().value("code").toString(), QString("unused-label"));
        // Closed, its problems go from the editor's list.
        c.notify("textDocument/didClose", {{"textDocument", QJsonObject{{"uri", kUri}}}});
        QCOMPARE(c.diagnostics(kUri), QJsonArray());
        QCOMPARE(errorCode(c.request("textDocument/hover", docAt(kUri, 0, 0))), -32602);
    }

    void hintFix()
    {
        LspClient c;
        c.initialize();
        const QString text = QString::fromUtf8(":θ→A:Disp 0.5");
        c.open(kUri, text);
        c.diagnostics(kUri);
        const QJsonArray actions =
            c.request("textDocument/codeAction", {{"textDocument", QJsonObject{{"uri", kUri}}},
                                                  {"range", range(0, 10, 0, 11)},
                                                  {"context", QJsonObject()}})
                .value("result")
                .toArray();
        QCOMPARE(actions.size(), 1);
        QVERIFY(actions[0].toObject().value("title").toString().startsWith("Save 1 byte"));
        QCOMPARE(applied(text, editsOf(actions[0].toObject())[0].toObject()),
                 QString::fromUtf8(":θ→A:Disp .5"));
    }

    // The token's bytes and the line's, as the tokenizer counts them, and
    // the reference's syntax.
    void hover_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("character");
        QTest::addColumn<QString>("token");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QString>("syntax");
        QTest::newRow("Disp") << QString::fromUtf8("Disp θ²") << 0 << 1 << "Disp" << 1
                              << "Disp \"TEXT\"";
        QTest::newRow("two-byte token") << "1\nStr1+\"A\"" << 1 << 2 << "Str1" << 2 << "";
        QTest::newRow("For(") << ":For(I,1,9):End" << 0 << 3 << "For(" << 1
                              << "For([VARIABLE],[BEGIN],[END],[INCREMENT])";
        QTest::newRow("after a symbol") << QString::fromUtf8("ʟAB→ʟC") << 0 << 5 << "C" << 1 << "";
    }
    void hover()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(int, character);
        QFETCH(QString, token);
        QFETCH(int, bytes);
        QFETCH(QString, syntax);
        LspClient c;
        c.initialize();
        c.open(kUri, text);
        const QString value = c.request("textDocument/hover", docAt(kUri, line, character))
                                  .value("result")
                                  .toObject()
                                  .value("contents")
                                  .toObject()
                                  .value("value")
                                  .toString();
        const QString modelLine = modelOf(text).split("\r\n").at(line);
        const qsizetype lineBytes = calc::tokens::tokenize(modelLine).bytes.size();
        const QString count = QStringLiteral("%1: %2 byte%3; this line: %4 bytes")
                                  .arg(token)
                                  .arg(bytes)
                                  .arg(bytes == 1 ? "" : "s")
                                  .arg(lineBytes);
        QVERIFY2(value.endsWith(count), qPrintable(value));
        if (!syntax.isEmpty())
            QVERIFY2(value.contains(syntax), qPrintable(value));
    }

    void calculatorFileGuard()
    {
        LspClient c;
        c.initialize();
        c.open(kUri, QString::fromLatin1("**TI83F*\x1a\n\x0a\0Created", 18));
        const QJsonArray d = c.diagnostics(kUri);
        QCOMPARE(d.size(), 1);
        QCOMPARE(d[0].toObject().value("code").toString(), QString("calculator-file"));
        QVERIFY(d[0].toObject().value("message").toString().contains("import"));
    }

    // The export writes what --export-8xp writes, and reads back as the
    // same program; the import gives the listing --export-listing writes.
    void exportAndImport()
    {
        const QString listing = m_dir.filePath("game.8xp.txt");
        const QString text = QString::fromUtf8("ClrHome\nFor(I,1,5)\nDisp I²\nEnd\n\"HI\"→Str1\n");
        QFile f(listing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
        f.close();
        const QString uri = QUrl::fromLocalFile(listing).toString();
        const QString ours = m_dir.filePath("ours.8xp"), theirs = m_dir.filePath("theirs.8xp");
        LspClient c;
        c.initialize();
        c.open(uri, text);
        const QJsonObject r =
            c.request(
                 "workspace/executeCommand",
                 {{"command", "torvane.export8xp"},
                  {"arguments", QJsonArray{QJsonObject{
                                    {"uri", uri}, {"out", QUrl::fromLocalFile(ours).toString()}}}}})
                .value("result")
                .toObject();
        QCOMPARE(r.value("path").toString(), ours);
        QProcess p;
        // NAME.8xp.txt names the program NAME, where the command line takes
        // the whole file name.
        p.start(TORVANE_EXECUTABLE, {"--export-8xp", listing, theirs, "--name", "GAME"});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(readAll(ours), readAll(theirs));
        QCOMPARE(r.value("bytes").toInt(), int(readAll(ours).size()));
        // --import-8xp reads it back to the same program.
        const QString back = m_dir.filePath("back.tvf");
        p.start(TORVANE_EXECUTABLE, {"--import-8xp", ours, back});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QByteArray tokens;
        QString why;
        QVERIFY(calcfiles::readProgram(back, &tokens, &why));
        QCOMPARE(tokens, calc::tokens::tokenize(modelOf(text)).bytes);

        const QJsonObject im = c.request("workspace/executeCommand",
                                         {{"command", "torvane.import8xp"},
                                          {"arguments", QJsonArray{QJsonObject{{"path", ours}}}}})
                                   .value("result")
                                   .toObject();
        QCOMPARE(im.value("text").toString(), text);
        QCOMPARE(im.value("name").toString(), QString("GAME"));
        const QString listed = m_dir.filePath("listed.txt");
        p.start(TORVANE_EXECUTABLE, {"--export-listing", ours, listed});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(im.value("text").toString().toUtf8(), readAll(listed));
    }

    void run_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QJsonArray>("input");
        QTest::addColumn<QString>("firstRow");
        QTest::addColumn<QString>("error");
        QTest::newRow("screen") << "Disp \"HELLO\"" << QJsonArray() << "HELLO"
                                << "";
        QTest::newRow("input") << "Input A\nDisp 2A" << QJsonArray{"21"} << "?21"
                               << "";
        QTest::newRow("error") << "Disp 1\nGoto Z" << QJsonArray() << ""
                               << "ERR:LABEL 2";
    }
    void run()
    {
        QFETCH(QString, text);
        QFETCH(QJsonArray, input);
        QFETCH(QString, firstRow);
        QFETCH(QString, error);
        LspClient c;
        c.initialize();
        c.open(kUri, text);
        const QJsonObject r =
            c.request("workspace/executeCommand",
                      {{"command", "torvane.run"},
                       {"arguments", QJsonArray{QJsonObject{{"uri", kUri}, {"input", input}}}}})
                .value("result")
                .toObject();
        if (!firstRow.isEmpty())
            QCOMPARE(r.value("screen").toArray().at(0).toString(), firstRow);
        const QJsonObject e = r.value("error").toObject();
        QCOMPARE(e.isEmpty() ? QString()
                             : QStringLiteral("%1 %2")
                                   .arg(e.value("name").toString())
                                   .arg(e.value("line").toInt()),
                 error);
    }

    void formatting()
    {
        LspClient c;
        c.initialize();
        const QString text = ":Disp 1:1->A\n  :If A>=1\n:Disp \"HI";
        c.open(kUri, text);
        const QJsonArray f =
            c.request("textDocument/formatting",
                      {{"textDocument", QJsonObject{{"uri", kUri}}}, {"options", QJsonObject{}}})
                .value("result")
                .toArray();
        QCOMPARE(f.size(), 1);
        const QString after = f[0].toObject().value("newText").toString();
        QCOMPARE(after, QString::fromUtf8("Disp 1:1→A\nIf A≥1\nDisp \"HI\n"));
        QCOMPARE(calc::tokens::tokenize(modelOf(after)).bytes,
                 calc::tokens::tokenize(modelOf(text)).bytes);
    }

    // Labels in Lbl, Goto and Menu( alike.
    void labels()
    {
        LspClient c;
        c.initialize();
        const QString text = "Lbl A\nGoto A\nMenu(\"T\",\"X\",A,\"Y\",B)\nLbl B\nDisp \"Goto A";
        c.open(kUri, text);
        const QJsonObject def =
            c.request("textDocument/definition", docAt(kUri, 2, 13)).value("result").toObject();
        QCOMPARE(startOf(def), QString("0:4-0:5"));
        QJsonObject refs = docAt(kUri, 1, 5);
        refs.insert("context", QJsonObject{{"includeDeclaration", true}});
        QCOMPARE(c.request("textDocument/references", refs).value("result").toArray().size(), 3);
        QJsonObject ren = docAt(kUri, 0, 4);
        ren.insert("newName", QString::fromUtf8("θ1"));
        const QJsonArray edits = c.request("textDocument/rename", ren)
                                     .value("result")
                                     .toObject()
                                     .value("changes")
                                     .toObject()
                                     .value(kUri)
                                     .toArray();
        QString renamed = text;
        for (int i = int(edits.size()) - 1; i >= 0; --i)
            renamed = applied(renamed, edits[i].toObject());
        QCOMPARE(renamed,
                 QString::fromUtf8(
                     "Lbl θ1\nGoto θ1\nMenu(\"T\",\"X\",θ1,\"Y\",B)\nLbl B\nDisp \"Goto A"));
        ren.insert("newName", "ABC");
        QCOMPARE(errorCode(c.request("textDocument/rename", ren)), -32602);
        const QJsonArray symbols =
            c.request("textDocument/documentSymbol", {{"textDocument", QJsonObject{{"uri", kUri}}}})
                .value("result")
                .toArray();
        QCOMPARE(symbols.size(), 2);
        QCOMPARE(symbols[1].toObject().value("name").toString(), QString("Lbl B"));
        const QJsonArray items =
            c.request("textDocument/completion", docAt(kUri, 1, 5)).value("result").toArray();
        QStringList labels;
        for (const QJsonValue &v : items)
            labels << v.toObject().value("label").toString();
        QCOMPARE(labels, QStringList({"A", "B"}));
    }

    void completionAndLens()
    {
        LspClient c;
        c.initialize();
        const QString text = QString::fromUtf8("5→Q\nDisp Q,Str2\n");
        c.open(kUri, text);
        const QJsonArray items =
            c.request("textDocument/completion", docAt(kUri, 2, 0)).value("result").toArray();
        QStringList labels;
        QString forDetail;
        for (const QJsonValue &v : items) {
            labels << v.toObject().value("label").toString();
            if (labels.last() == "For(")
                forDetail = v.toObject().value("detail").toString();
        }
        QVERIFY(labels.contains("ClrHome"));
        QVERIFY(labels.contains("Q") && labels.contains("Str2"));
        QVERIFY(!labels.contains("Z"));
        QVERIFY(forDetail.startsWith("For([VARIABLE]"));
        const QJsonArray lens =
            c.request("textDocument/codeLens", {{"textDocument", QJsonObject{{"uri", kUri}}}})
                .value("result")
                .toArray();
        QCOMPARE(lens.size(), 1);
        QCOMPARE(lens[0].toObject().value("command").toObject().value("title").toString(),
                 QStringLiteral("size %1 bytes")
                     .arg(calc::tokens::tokenize(modelOf(text)).bytes.size()));
    }

    // The model from the start and as the configuration changes.
    void model()
    {
        LspClient c;
        c.initialize({{"model", "ti83p"}});
        c.open(kUri, "Wait 1");
        const QJsonArray strict = c.diagnostics(kUri);
        QCOMPARE(strict.size(), 1);
        QCOMPARE(strict[0].toObject().value("severity").toInt(), 1);
        c.notify("workspace/didChangeConfiguration",
                 {{"settings", QJsonObject{{"torvane", QJsonObject{{"model", "ti84pce"}}}}}});
        QCOMPARE(c.diagnostics(kUri), QJsonArray());
        c.notify("workspace/didChangeConfiguration",
                 {{"settings", QJsonObject{{"torvane", QJsonObject{{"model", ""}}}}}});
        const QJsonArray none = c.diagnostics(kUri);
        QCOMPARE(none.size(), 1);
        QCOMPARE(none[0].toObject().value("severity").toInt(), 3);
    }
};

TORVANE_TEST(TstServer);
#include "tst_server.moc"
