// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Runs a document window's program in its calculator window and debugs it:
// the Run menu's commands, breakpoints as marks in the program pane's margin,
// the statement about to run highlighted, and an error's line selected.
// Marks and highlight are display only: the text, its undo history, the
// modified flag and the file never see them.
#include <QByteArray>
#include <QColor>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QTextCursor>

namespace editor
{
class frmDocument;
}
namespace calculator
{
class frmCalculator;
}

namespace debug
{

class Margin;

// The background of the line paused at, or of its statement, in the light
// or the dark theme.
QColor pausedColour(bool dark, bool statement);

class Debugger : public QObject
{
    Q_OBJECT
public:
    // Attaches to the window and lives as long as it does.
    explicit Debugger(editor::frmDocument *doc);
    ~Debugger() override;
    static Debugger *of(const editor::frmDocument *doc);

    // The name prgmNAME calls this window's program by: its file's name, or
    // its caption when it has no file.
    QString programName() const;

    calculator::frmCalculator *calculator(); // made on first use
    calculator::frmCalculator *calculatorIfLoaded() const;

    // 1-based lines with a breakpoint, ascending.
    QList<int> breakpoints() const;
    void toggleBreakpoint(int line);
    // The line paused at (highlighted), 0 when none.
    int currentLine() const { return m_current; }
    // The statement paused at, as model positions [first, second) in the
    // program pane; empty when none.
    QPair<int, int> currentStatement() const { return m_statement; }

    // The Run menu.
    void runProgram();
    void stepProgram();
    void toggleBreakpointAtCaret();
    void stopProgram();

    // Sharing (Debugger_Sharing.cpp): Edit > Copy as Listing, File > Export
    // Listing…, Run > Speed. False and *error when the program has a
    // character no token spells or the file cannot be written.
    bool copyAsListing(QString *error);
    bool exportListing(const QString &path, bool lineNumbers, QString *error);
    void setCalculatorSpeed(bool asCalculator);

private:
    void connectSharing();
    bool listingTokens(QByteArray *tokens, QString *error);
    friend class Margin;
    bool start(bool stepping);
    void pausedAt(const QString &program, int line);
    void ended();
    void showCurrent(int line, QPair<int, int> statement = {});
    void selectLine(int line, int column = 0);
    void sendBreakpoints();

    editor::frmDocument *m_doc;
    QPointer<calculator::frmCalculator> m_calc;
    Margin *m_margin = nullptr;
    QList<QTextCursor> m_marks; // each at the start of its line, moving with edits
    int m_current = 0;
    QPair<int, int> m_statement;
    QByteArray m_running; // the bytes of the program run last
};

} // namespace debug
