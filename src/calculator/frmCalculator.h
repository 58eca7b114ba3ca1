// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The calculator window: the home or graph screen scaled up with square
// pixels, the keyboard as the calculator's keys (Esc is ON: it breaks), and
// the variables as they were when the program last paused or ended. The
// program runs in a Session beside the window; the screen repaints at most
// 60 times a second however fast the program draws.
#include "calculator/Session.h"
#include "calculator/VariableRows.h"

#include <QWidget>

class QAction;
class QCheckBox;
class QLabel;
class QMenuBar;
class QTableWidget;
class QTimer;

namespace calculator
{

class CalcScreen;

class frmCalculator : public QWidget
{
    Q_OBJECT
public:
    explicit frmCalculator(QWidget *parent = nullptr);
    ~frmCalculator() override;

    Session &session() { return *m_session; }
    // Starts the program and shows the window; with `stepping` it pauses
    // before the first statement. False while a program still runs.
    bool run(const QByteArray &tokens, const QString &name, bool stepping = false);
    // Ends a running program with ERR:BREAK.
    void stop();
    // From run() until the window has shown the end.
    bool isRunning() const { return m_running; }

    // How often the screen was painted, for the benchmark.
    int repaints() const;
    // The frame on the screen now.
    const Session::Frame &shown() const { return m_frame; }
    // The typed answer that waits for ENTER.
    QString typed() const { return m_typed; }

    // Screen pixels per calculator pixel: Ctrl+= / Ctrl+- / Ctrl+0 and
    // Ctrl+wheel step it, and it is kept per user.
    static constexpr int kMinScale = 1;
    static constexpr int kMaxScale = 8;
    static constexpr int kDefaultScale = 3;
    int scale() const;
    void setScale(int scale);
    // Draws the window in the dark colour set, or the light one.
    void setDark(bool dark);

    CalcScreen *picScreen = nullptr;
    QTableWidget *lstVariables = nullptr;
    // Unchecked, the list holds only the variables the program names.
    QCheckBox *chkShowAllVariables = nullptr;
    QLabel *lblMemory = nullptr; // RAM in use and free
    QLabel *lblStatus = nullptr;

    // Pictures of the screen (frmCalculator_Share.cpp): Save Screen… as PNG,
    // and Record / Stop Recording as an animated GIF.
    QMenuBar *mnuBar = nullptr;
    QAction *mnuSaveScreen = nullptr;
    QAction *mnuRecord = nullptr;
    QLabel *lblRecording = nullptr; // the frames and time recorded
    // scale: 1-4 times the screen; 0 on the colour models the graph area alone.
    bool saveScreen(const QString &path, int scale, QString *error);
    // Records into `path` from the next statement on, `scale` pixels a
    // calculator pixel; the file is written when the recording ends.
    void startRecording(const QString &path, int scale);
    void stopRecording();
    bool isRecording() const;
    // The last recording's file, or why it could not be written.
    QString recordingResult() const { return m_recordResult; }

signals:
    void paused(const QString &program, int line);
    // The program ended; Session::outcome() says how.
    void ended();
    // F5, F10 and Shift+F5 pressed in this window.
    void runRequested();
    void stepRequested();
    void stopRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    // Maximised, the screen takes the largest whole scale the window holds;
    // restored, the chosen one again.
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void tick();
    void takeFrame();
    void showVariables();
    void fillVariables();
    void showStatus();
    void addShareMenu();
    void askSaveScreen();
    bool colourScreen() const; // the colour models' sizes apply
    void askRecord();
    void showRecording();
    void recordingEnded();

    Session *m_session = nullptr;
    bool m_running = false;
    QString m_name;
    QTimer *m_tick = nullptr;
    bool m_fresh = false;
    Session::Frame m_frame;
    QString m_typed;
    int m_menuItem = 0;
    QSet<QString> m_used;    // the variables the running program names
    Variables m_shownValues; // as the list shows them now
    Variables m_earlier;     // as it showed them the time before
    int m_wheel = 0;
    QString m_recordPath;
    int m_recordScale = 1;
    QString m_recordResult;
};

// The screen itself: 96 by 64 calculator pixels, each a square of
// `scale` screen pixels; on the colour models 320 by 240, each pixel a
// square of `scale` screen pixels from 2 up (ColourScreen.cpp).
class CalcScreen : public QWidget
{
    Q_OBJECT
public:
    explicit CalcScreen(QWidget *parent = nullptr);
    void display(const Session::Frame &frame, const QString &typed, int menuItem);
    int repaints() const { return m_repaints; }
    QSize sizeHint() const override;
    int scale() const { return m_scale; }
    void setScale(int scale);
    void setDark(bool dark);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintColour(QPainter &p);
    Session::Frame m_frame;
    QString m_typed;
    int m_menuItem = 0;
    int m_repaints = 0;
    int m_scale = 3;
    bool m_dark = false;
    quint64 m_homeGeneration = ~0ull;
    quint64 m_graphGeneration = ~0ull;
    bool m_graphShown = false;
};

} // namespace calculator
