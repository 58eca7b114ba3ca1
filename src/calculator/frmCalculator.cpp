// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculator/frmCalculator.h"

#include "calc/basic/core/Value.h"
#include "calculator/ColourImage.h"
#include "calculator/GraphImage.h"
#include "calculator/KeyMap.h"
#include "platform/Config.h"
#include "platform/Fonts.h"
#include "platform/SettingsStore.h"
#include "platform/Theme.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QResizeEvent>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace calculator
{

using calc::basic::GraphScreen;
using calc::basic::HomeScreen;

namespace
{

// Repaints at most this often: 17 ms is under 60 a second.
constexpr int kFrameMs = 17;
// The screen's colours; the dark set keeps the ink readable on a dimmed
// glass.
QColor lcdColour(bool dark)
{
    return dark ? QColor(0x2E, 0x3A, 0x2A) : QColor(0xA6, 0xB4, 0x9A);
}
QColor inkColour(bool dark)
{
    return dark ? QColor(0xCC, 0xDD, 0xBB) : QColor(0x1C, 0x24, 0x1C);
}

} // namespace

CalcScreen::CalcScreen(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picScreen"));
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize CalcScreen::sizeHint() const
{
    if (m_frame.colour)
        return colourScreenSize(m_scale);
    return QSize(GraphScreen::kWidth * m_scale, GraphScreen::kHeight * m_scale);
}

void CalcScreen::setScale(int scale)
{
    m_scale = scale;
    setFixedSize(sizeHint());
    update();
}

void CalcScreen::setDark(bool dark)
{
    m_dark = dark;
    update();
}

void CalcScreen::display(const Session::Frame &frame, const QString &typed, int menuItem)
{
    const bool same =
        frame.graphShown == m_graphShown && frame.home.generation() == m_homeGeneration &&
        frame.graph.generation() == m_graphGeneration && typed == m_typed && menuItem == m_menuItem;
    m_frame = frame;
    m_typed = typed;
    m_menuItem = menuItem;
    m_graphShown = frame.graphShown;
    m_homeGeneration = frame.home.generation();
    m_graphGeneration = frame.graph.generation();
    const QSize size = sizeHint();
    if (size != this->size())
        setFixedSize(size);
    if (!same || frame.colour)
        update();
}

void CalcScreen::paintEvent(QPaintEvent *)
{
    ++m_repaints;
    QPainter p(this);
    const int scale = m_scale;
    const QColor lcd = lcdColour(m_dark), ink = inkColour(m_dark);
    p.fillRect(rect(), lcd);
    if (m_frame.colour) {
        paintColour(p);
        return;
    }
    const HomeScreen &home = m_frame.home;
    const bool menu = !home.menu().isEmpty();
    if (m_frame.graphShown && !menu && home.prompt().isNull()) {
        for (int r = 0; r < GraphScreen::kHeight; ++r)
            for (int c = 0; c < GraphScreen::kWidth; ++c)
                if (m_frame.graph.pixel(r, c))
                    p.fillRect(c * scale, r * scale, scale, scale, ink);
        return;
    }
    // Eight rows of sixteen characters, each in a cell of 6 by 8 pixels.
    QStringList rows;
    for (int r = 0; r < HomeScreen::kRows; ++r)
        rows << home.row(r);
    int highlight = -1;
    if (menu) {
        rows = QStringList(HomeScreen::kRows, QString());
        rows[0] = home.menu().value(0);
        for (int i = 1; i < home.menu().size() && i < HomeScreen::kRows; ++i)
            rows[i] = QStringLiteral("%1:%2").arg(i).arg(home.menu()[i]);
        highlight = m_menuItem + 1;
    } else if (!home.prompt().isNull()) {
        // The answer as typed so far, its end in view, and the cursor.
        QString line = home.prompt() + m_typed + QChar(0x2588);
        if (line.size() > HomeScreen::kColumns)
            line = line.right(HomeScreen::kColumns);
        int at = home.cursorRow();
        if (at >= HomeScreen::kRows - 1) {
            // The screen scrolls as the answer is written; show it so now.
            rows.removeFirst();
            rows.append(QString());
            at = HomeScreen::kRows - 2;
        }
        rows[at] = line;
    }
    const int cw = 6 * scale, ch = 8 * scale;
    QFont font = platform::calculatorFont();
    font.setPixelSize(ch - scale);
    p.setFont(font);
    for (int r = 0; r < HomeScreen::kRows; ++r) {
        const bool inverse = r == highlight || (menu && r == 0);
        for (int c = 0; c < rows[r].size() && c < HomeScreen::kColumns; ++c) {
            const QRect cell(c * cw, r * ch, cw, ch);
            if (inverse) {
                if (r == 0 || c == 0)
                    p.fillRect(cell, ink);
            }
            p.setPen(inverse && (r == 0 || c == 0) ? lcd : ink);
            p.drawText(cell, Qt::AlignCenter, rows[r].mid(c, 1));
        }
    }
}

frmCalculator::frmCalculator(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmCalculator"));
    setWindowTitle(QStringLiteral("Calculator"));
    m_session = new Session(this);
    m_session->drawText = drawGraphText;
    m_session->drawLargeText = drawGraphLargeText;
    m_session->drawColourText = drawColourText;

    picScreen = new CalcScreen(this);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lstVariables = new QTableWidget(0, 2, this);
    lstVariables->setObjectName(QStringLiteral("lstVariables"));
    lstVariables->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Value")});
    lstVariables->horizontalHeader()->setStretchLastSection(true);
    lstVariables->verticalHeader()->hide();
    lstVariables->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The keys belong to the calculator, not to the list.
    lstVariables->setFocusPolicy(Qt::NoFocus);
    // Compact rows, so more of a program's variables show at once.
    lstVariables->verticalHeader()->setMinimumSectionSize(1);
    lstVariables->verticalHeader()->setDefaultSectionSize(lstVariables->fontMetrics().height() + 4);
    lstVariables->setWordWrap(false);
    chkShowAllVariables = new QCheckBox(QStringLiteral("Show All"), this);
    chkShowAllVariables->setObjectName(QStringLiteral("chkShowAllVariables"));
    chkShowAllVariables->setFocusPolicy(Qt::NoFocus);
    connect(chkShowAllVariables, &QCheckBox::toggled, this, &frmCalculator::fillVariables);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picScreen, 0, Qt::AlignHCenter);
    layout->addWidget(lblStatus);
    layout->addWidget(chkShowAllVariables);
    layout->addWidget(lstVariables, 1);
    addShareMenu();
    setFocusPolicy(Qt::StrongFocus);
    picScreen->setScale(scale());
    resize(picScreen->width() + 40, 520);

    auto shortcut = [this](const char *key, void (frmCalculator::*signal)()) {
        auto *a = new QAction(this);
        a->setShortcut(QKeySequence(QLatin1String(key)));
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, signal);
        addAction(a);
    };
    shortcut("F5", &frmCalculator::runRequested);
    shortcut("F10", &frmCalculator::stepRequested);
    shortcut("Shift+F5", &frmCalculator::stopRequested);

    m_tick = new QTimer(this);
    m_tick->setInterval(kFrameMs);
    connect(m_tick, &QTimer::timeout, this, &frmCalculator::tick);
    connect(m_session, &Session::frameReady, this, [this] { m_fresh = true; });
    connect(m_session, &Session::waitingChanged, this, [this] {
        m_menuItem = 0;
        takeFrame();
        // Waiting for an answer or Enter is a pause too.
        if (m_session->waiting() != Session::Wait::None)
            showVariables();
        showStatus();
    });
    connect(m_session, &Session::paused, this, [this](const QString &program, int line) {
        takeFrame();
        showVariables();
        showStatus();
        emit paused(program, line);
    });
    connect(m_session, &Session::finished, this, [this] {
        m_running = false;
        m_tick->stop();
        m_typed.clear();
        takeFrame();
        showVariables();
        showStatus();
        emit ended();
    });
}

frmCalculator::~frmCalculator() = default;

bool frmCalculator::run(const QByteArray &tokens, const QString &name, bool stepping)
{
    if (!m_session->start(tokens, name, stepping))
        return false;
    m_running = true;
    m_name = name;
    m_typed.clear();
    m_used = variablesUsed(tokens);
    setWindowTitle(QStringLiteral("Calculator - prgm%1").arg(name));
    lblStatus->setText(stepping ? QString() : QStringLiteral("Running"));
    m_tick->start();
    show();
    raise();
    activateWindow();
    return true;
}

void frmCalculator::stop()
{
    m_session->stop();
}

int frmCalculator::repaints() const
{
    return picScreen->repaints();
}

void frmCalculator::tick()
{
    if (m_fresh)
        takeFrame();
    m_session->requestFrame();
    showRecording();
}

void frmCalculator::takeFrame()
{
    m_fresh = false;
    m_frame = m_session->frame();
    picScreen->display(m_frame, m_typed, m_menuItem);
}

void frmCalculator::showVariables()
{
    // The marks say what the last step changed: what was shown before it is
    // what they are compared with.
    if (m_frame.variables != m_shownValues) {
        // A variable the run sets is the program's, also when a program it
        // calls sets it and its own text never names it (Ans changes always).
        if (!m_shownValues.isEmpty()) {
            for (const auto &v : m_frame.variables) {
                if (!m_used.contains(v.first) && !m_shownValues.contains(v) &&
                    v.first != QLatin1String("Ans"))
                    m_used.insert(v.first);
            }
        }
        m_earlier = m_shownValues.isEmpty() ? m_frame.variables : m_shownValues;
        m_shownValues = m_frame.variables;
    }
    fillVariables();
}

void frmCalculator::fillVariables()
{
    const QVector<VariableRow> rows =
        variableRows(m_shownValues, m_earlier, m_used, chkShowAllVariables->isChecked());
    lstVariables->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        for (int k = 0; k < 2; ++k) {
            QTableWidgetItem *item = lstVariables->item(i, k);
            if (!item)
                lstVariables->setItem(i, k, item = new QTableWidgetItem);
            item->setText(k == 0 ? rows[i].name : rows[i].value);
            QFont font = lstVariables->font();
            font.setBold(rows[i].changed);
            item->setFont(font);
            item->setToolTip(rows[i].changed ? QStringLiteral("Changed by the last step")
                                             : QString());
        }
    }
}

void frmCalculator::showStatus()
{
    if (!m_running) {
        const calc::basic::Outcome o = m_session->outcome();
        using calc::basic::Error;
        if (o.error == Error::None && m_session->pace().speed() == Pace::Speed::Fast)
            lblStatus->setText(QStringLiteral("Done, %1")
                                   .arg(calc::basic::estimateText(m_session->pace().runMicros())));
        else if (o.error == Error::None)
            lblStatus->setText(QStringLiteral("Done"));
        else if (o.error == Error::Unsupported)
            lblStatus->setText(
                QStringLiteral("%1 is not run by this engine, line %2").arg(o.detail).arg(o.line));
        else
            lblStatus->setText(QStringLiteral("%1 at line %2%3")
                                   .arg(calc::basic::errorName(o.error))
                                   .arg(o.line)
                                   .arg(o.program.isEmpty() || o.program == m_name
                                            ? QString()
                                            : QStringLiteral(" of prgm") + o.program));
        return;
    }
    switch (m_session->waiting()) {
    case Session::Wait::Paused:
        lblStatus->setText(QStringLiteral("Paused at line %1").arg(m_session->pausedLine()));
        break;
    case Session::Wait::Enter:
        lblStatus->setText(QStringLiteral("Pause: press Enter"));
        break;
    case Session::Wait::Answer:
        lblStatus->setText(QStringLiteral("Type an answer and press Enter"));
        break;
    case Session::Wait::None:
        lblStatus->setText(QStringLiteral("Running"));
        break;
    }
}

int frmCalculator::scale() const
{
    const auto stored = platform::settings::readOption(platform::config::CalculatorScale);
    return qBound(kMinScale, stored.value_or(kDefaultScale), kMaxScale);
}

void frmCalculator::setScale(int scale)
{
    scale = qBound(kMinScale, scale, kMaxScale);
    platform::settings::writeOption(platform::config::CalculatorScale, QString::number(scale));
    if (scale == picScreen->scale())
        return;
    const int grown = (scale - picScreen->scale()) * GraphScreen::kWidth;
    picScreen->setScale(scale);
    resize(qMax(width() + grown, picScreen->width() + 40), height());
}

void frmCalculator::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    int wanted = scale();
    if (isMaximized() || isFullScreen()) {
        const int now = picScreen->scale();
        const QSize one = picScreen->sizeHint() / now;
        // What the other controls take stays theirs.
        const QSize others = sizeHint() - picScreen->size();
        const QSize room = size() - QSize(std::max(40, others.width()), others.height());
        wanted = std::max(kMinScale, std::min({kMaxScale, room.width() / std::max(1, one.width()),
                                               room.height() / std::max(1, one.height())}));
    }
    if (wanted != picScreen->scale())
        picScreen->setScale(wanted);
}

void frmCalculator::setDark(bool dark)
{
    picScreen->setDark(dark);
    setPalette(platform::theme::themed(QApplication::palette(), dark));
}

void frmCalculator::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier))
        return QWidget::wheelEvent(event);
    m_wheel += event->angleDelta().y();
    const int steps = m_wheel / 120;
    m_wheel %= 120;
    if (steps != 0)
        setScale(picScreen->scale() + steps);
    event->accept();
}

void frmCalculator::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    // Ctrl and + on a US keyboard arrives with Shift.
    if (mods == Qt::ControlModifier ||
        (mods == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_Plus)) {
        // Whole steps keep every calculator pixel square and even.
        if (key == Qt::Key_Equal || key == Qt::Key_Plus || key == Qt::Key_Minus ||
            key == Qt::Key_0) {
            setScale(key == Qt::Key_0 ? kDefaultScale
                                      : picScreen->scale() + (key == Qt::Key_Minus ? -1 : 1));
            return;
        }
    }
    if (key == Qt::Key_Escape) {
        // The calculator's ON key.
        if (m_running)
            stop();
        else
            close();
        return;
    }
    if (!m_running) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    switch (m_session->waiting()) {
    case Session::Wait::Paused:
        return;
    case Session::Wait::Enter:
        if (enter)
            m_session->enter();
        return;
    case Session::Wait::Answer: {
        const int items = int(m_frame.home.menu().size()) - 1;
        if (items > 0) {
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                m_menuItem = (m_menuItem + (key == Qt::Key_Down ? 1 : items - 1)) % items;
                picScreen->display(m_frame, m_typed, m_menuItem);
            } else if (enter) {
                m_session->answer(QString::number(m_menuItem + 1));
            } else if (event->text().size() == 1 && event->text()[0] >= QLatin1Char('1') &&
                       event->text()[0].digitValue() <= items) {
                m_session->answer(event->text());
            }
            return;
        }
        if (enter) {
            const QString answer = m_typed;
            m_typed.clear();
            m_session->answer(answer);
        } else if (key == Qt::Key_Backspace) {
            m_typed.chop(1);
        } else if (!event->text().isEmpty() && event->text()[0].isPrint()) {
            m_typed += event->text();
        }
        picScreen->display(m_frame, m_typed, m_menuItem);
        return;
    }
    case Session::Wait::None:
        if (const int code = keyCode(key, event->text()))
            m_session->pressKey(code);
        return;
    }
}

void frmCalculator::closeEvent(QCloseEvent *event)
{
    stop();
    QWidget::closeEvent(event);
}

} // namespace calculator
