// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The language server's wire: messages framed by a Content-Length header
// block, read on a thread of their own and handed to the main thread in
// batches, and written whole.
#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QThread>
#include <QVector>

#include <atomic>
#include <functional>

namespace lsp
{

struct Frame {
    enum Kind {
        Message,  // `body` holds one message
        TooLarge, // a Content-Length over the limit; its body was dropped
        NoLength, // a header block without a usable Content-Length, dropped
        End,      // the input ended
    } kind = Message;
    QByteArray body;
};

// Cuts a byte stream into frames. A body over kMaxBody is never kept: it is
// read and dropped as it arrives.
class Framer
{
public:
    static constexpr qint64 kMaxBody = qint64(64) * 1024 * 1024;
    // A header block longer than this is no header block.
    static constexpr qsizetype kMaxHeader = 64 * 1024;

    void feed(const char *data, qsizetype size, QVector<Frame> *out);

private:
    void endHeader(QVector<Frame> *out);

    enum class State { Header, Body, Skip } m_state = State::Header;
    QByteArray m_buffer;
    qint64 m_left = 0;       // the body's length
    bool m_overlong = false; // a header block past kMaxHeader, being dropped
};

// The frames read so far, for the main thread to take.
class Inbox
{
public:
    void put(QVector<Frame> frames);
    QVector<Frame> take();

private:
    QMutex m_mutex;
    QVector<Frame> m_frames;
};

// Reads a file descriptor (standard input) until it ends, frames what it
// reads and calls `ready` (from the reading thread) after each batch is in
// the inbox.
class Reader : public QThread
{
public:
    Reader(int fd, Inbox *inbox, std::function<void()> ready);

protected:
    void run() override;

private:
    int m_fd;
    Inbox *m_inbox;
    std::function<void()> m_ready;
};

// One message with its header, as written.
QByteArray framed(const QByteArray &body);
// Writes every byte to the descriptor (standard output), retrying short
// writes; false when it cannot.
bool writeAll(int fd, const QByteArray &bytes);

} // namespace lsp
