// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The calculator window's pictures: the screen as PNG, the run as GIF.
#include "calculator/Recorder.h"
#include "calculator/frmCalculator.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QVBoxLayout>

namespace calculator
{

namespace
{

// 1× to 4×, asked as the calculator's pixels are counted.
std::optional<int> askScale(QWidget *parent, const QString &title)
{
    const QStringList scales = {QStringLiteral("1× (96 by 64)"), QStringLiteral("2× (192 by 128)"),
                                QStringLiteral("3× (288 by 192)"),
                                QStringLiteral("4× (384 by 256)")};
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(parent, title, QStringLiteral("Size:"), scales, 1, false, &ok);
    if (!ok)
        return std::nullopt;
    return int(scales.indexOf(chosen)) + 1;
}

} // namespace

void frmCalculator::addShareMenu()
{
    mnuBar = new QMenuBar(this);
    mnuBar->setObjectName(QStringLiteral("mnuBar"));
    QMenu *screen = mnuBar->addMenu(QStringLiteral("&Screen"));
    screen->setObjectName(QStringLiteral("mnuScreen"));
    mnuSaveScreen = screen->addAction(QStringLiteral("Save Screen…"));
    mnuSaveScreen->setObjectName(QStringLiteral("mnuSaveScreen"));
    mnuRecord = screen->addAction(QStringLiteral("Record"));
    mnuRecord->setObjectName(QStringLiteral("mnuRecord"));
    connect(mnuSaveScreen, &QAction::triggered, this, &frmCalculator::askSaveScreen);
    connect(mnuRecord, &QAction::triggered, this, &frmCalculator::askRecord);
    if (auto *box = qobject_cast<QVBoxLayout *>(layout())) {
        box->setMenuBar(mnuBar);
        lblRecording = new QLabel(this);
        lblRecording->setObjectName(QStringLiteral("lblRecording"));
        lblRecording->hide();
        box->insertWidget(box->indexOf(lblStatus) + 1, lblRecording);
    }
    // The recording ends on the worker; its file is written here.
    connect(&session(), &Session::recordingEnded, this, &frmCalculator::recordingEnded,
            Qt::QueuedConnection);
}

bool frmCalculator::saveScreen(const QString &path, int scale, QString *error)
{
    return writeScreenPng(screenImage(shown().home, shown().graph, shown().graphShown), scale, path,
                          error);
}

void frmCalculator::askSaveScreen()
{
    const auto scale = askScale(this, QStringLiteral("Save Screen"));
    if (!scale)
        return;
    const auto path = platform::dialogs::saveFile(this, QStringLiteral("Save Screen"),
                                                  QStringLiteral("PNG Image (*.png)|*.png"),
                                                  m_name.isEmpty() ? QString() : m_name + ".png");
    QString error;
    if (path && !saveScreen(*path, *scale, &error))
        platform::dialogs::message(this, error, QStringLiteral("Save Screen"),
                                   QMessageBox::Warning);
}

void frmCalculator::startRecording(const QString &path, int scale)
{
    m_recordPath = path;
    m_recordScale = scale;
    m_recordResult.clear();
    session().pace().startRecording();
    mnuRecord->setText(QStringLiteral("Stop Recording"));
    showRecording();
}

void frmCalculator::stopRecording()
{
    // One that had not started yet ends here, with nothing to write.
    if (!session().pace().stopRecording())
        recordingEnded();
}

bool frmCalculator::isRecording() const
{
    return !m_recordPath.isEmpty();
}

void frmCalculator::askRecord()
{
    if (isRecording()) {
        stopRecording();
        return;
    }
    const auto scale = askScale(this, QStringLiteral("Record"));
    if (!scale)
        return;
    const auto path = platform::dialogs::saveFile(this, QStringLiteral("Record"),
                                                  QStringLiteral("GIF Animation (*.gif)|*.gif"),
                                                  m_name.isEmpty() ? QString() : m_name + ".gif");
    if (path)
        startRecording(*path, *scale);
}

namespace
{

QString framesText(int n)
{
    return n == 1 ? QStringLiteral("1 frame") : QStringLiteral("%1 frames").arg(n);
}

} // namespace

void frmCalculator::showRecording()
{
    if (!lblRecording)
        return;
    lblRecording->setVisible(isRecording());
    if (!isRecording())
        return;
    const Pace &p = session().pace();
    lblRecording->setText(QStringLiteral("Recording: %1, %2 s")
                              .arg(framesText(p.recordedFrames()))
                              .arg(p.recordedMicros() / 1e6, 0, 'f', 1));
}

void frmCalculator::recordingEnded()
{
    const std::unique_ptr<Recorder> done = session().pace().takeRecording();
    const QString path = m_recordPath;
    m_recordPath.clear();
    mnuRecord->setText(QStringLiteral("Record"));
    showRecording();
    if (!done)
        return;
    QString error;
    if (!done->writeGif(path, m_recordScale, &error)) {
        m_recordResult = error;
        platform::dialogs::message(this, error, QStringLiteral("Record"), QMessageBox::Warning);
        return;
    }
    m_recordResult = path;
    // A recording cut short says so where the count was.
    lblRecording->setText(
        QStringLiteral("Recorded %1, %2 s%3")
            .arg(framesText(done->frames()))
            .arg(done->micros() / 1e6, 0, 'f', 1)
            .arg(done->full() ? QStringLiteral(". ") + done->fullMessage() : QString()));
    lblRecording->setWordWrap(true);
    lblRecording->show();
}

} // namespace calculator
