// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lsp/Transport.h"

#include <QMutexLocker>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace lsp
{

namespace
{

const QByteArray kEndOfHeader = QByteArrayLiteral("\r\n\r\n");

// The Content-Length of a header block, or -1 when it has none or a value
// that is not a number.
qint64 contentLength(const QByteArray &header)
{
    qint64 length = -1;
    for (const QByteArray &line : header.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        if (line.left(colon).trimmed().toLower() != "content-length")
            continue;
        bool ok = false;
        const QByteArray value = line.mid(colon + 1).trimmed();
        const qint64 v = value.toLongLong(&ok);
        if (!ok || v < 0 || value.startsWith('+'))
            return -1;
        length = v;
    }
    return length;
}

// How many bytes of `p` end the header block that `buffer` began (the blank
// line included), or -1 when they do not end it.
qsizetype headerEnd(const QByteArray &buffer, const char *p, qsizetype n)
{
    const qsizetype tail = std::min<qsizetype>(3, buffer.size());
    const QByteArray probe = buffer.right(tail) + QByteArray(p, std::min<qsizetype>(n, 3));
    const qsizetype split = probe.indexOf(kEndOfHeader);
    if (split >= 0 && split < tail)
        return split + kEndOfHeader.size() - tail;
    const void *hit = memmem(p, size_t(n), kEndOfHeader.constData(), 4);
    return hit ? static_cast<const char *>(hit) - p + kEndOfHeader.size() : -1;
}

} // namespace

void Framer::endHeader(QVector<Frame> *out)
{
    const qint64 length = m_overlong ? -1 : contentLength(m_buffer);
    const bool report = !m_overlong;
    m_buffer.clear();
    m_overlong = false;
    if (length < 0) {
        if (report)
            out->append(Frame{Frame::NoLength, {}});
        return;
    }
    m_left = length;
    if (length > kMaxBody) {
        out->append(Frame{Frame::TooLarge, {}});
        m_state = State::Skip;
    } else if (length == 0) {
        out->append(Frame{Frame::Message, {}});
    } else {
        m_state = State::Body;
    }
}

void Framer::feed(const char *p, qsizetype n, QVector<Frame> *out)
{
    while (n > 0) {
        qsizetype k = 0;
        if (m_state == State::Skip) {
            k = qsizetype(std::min<qint64>(m_left, n));
            m_left -= k;
            if (m_left == 0)
                m_state = State::Header;
        } else if (m_state == State::Body) {
            k = qsizetype(std::min<qint64>(m_left - m_buffer.size(), n));
            m_buffer.append(p, k);
            if (m_buffer.size() == m_left) {
                out->append(Frame{Frame::Message, m_buffer});
                m_buffer.clear();
                m_state = State::Header;
            }
        } else {
            const qsizetype end = headerEnd(m_buffer, p, n);
            k = end >= 0 ? end : n;
            if (!m_overlong)
                m_buffer.append(p, k);
            if (!m_overlong && m_buffer.size() > kMaxHeader) {
                // Not a header block: dropped up to its end, whenever that comes.
                out->append(Frame{Frame::NoLength, {}});
                m_overlong = true;
            }
            if (m_overlong)
                m_buffer = (m_buffer + QByteArray(p + std::max<qsizetype>(0, k - 3),
                                                  std::min<qsizetype>(k, 3)))
                               .right(3);
            if (end >= 0) {
                m_buffer.chop(m_overlong ? 0 : kEndOfHeader.size());
                endHeader(out);
            }
        }
        p += k;
        n -= k;
    }
}

void Inbox::put(QVector<Frame> frames)
{
    QMutexLocker lock(&m_mutex);
    m_frames += std::move(frames);
}

QVector<Frame> Inbox::take()
{
    QMutexLocker lock(&m_mutex);
    QVector<Frame> all;
    all.swap(m_frames);
    return all;
}

Reader::Reader(int fd, Inbox *inbox, std::function<void()> ready)
    : m_fd(fd), m_inbox(inbox), m_ready(std::move(ready))
{
}

void Reader::run()
{
    Framer framer;
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer.data(), size_t(buffer.size()));
        if (n < 0 && errno == EINTR)
            continue;
        QVector<Frame> frames;
        if (n <= 0) {
            frames.append(Frame{Frame::End, {}});
            m_inbox->put(std::move(frames));
            m_ready();
            return;
        }
        framer.feed(buffer.constData(), n, &frames);
        if (!frames.isEmpty()) {
            m_inbox->put(std::move(frames));
            m_ready();
        }
    }
}

QByteArray framed(const QByteArray &body)
{
    return QByteArrayLiteral("Content-Length: ") + QByteArray::number(body.size()) + kEndOfHeader +
           body;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype at = 0;
    while (at < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + at, size_t(bytes.size() - at));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
    }
    return true;
}

} // namespace lsp
