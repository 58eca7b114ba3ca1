// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/FakeCalculator.h"

#include <QDataStream>
#include <QIODevice>

namespace calclink
{

namespace
{
// The calculator's machine ID and the commands it knows.
constexpr quint8 kCalc = 0x73;
enum : quint8 {
    VAR = 0x06,
    CTS = 0x09,
    DATA = 0x15,
    SKIP = 0x36,
    ACK = 0x56,
    ERR = 0x5A,
    RDY = 0x68,
    EOT = 0x92,
    REQ = 0xA2,
    RTS = 0xC9,
    SCR = 0x6D,
};
constexpr quint8 kListing = 0x19; // the type a REQ names to ask for the list

bool carriesData(quint8 command)
{
    return command == VAR || command == DATA || command == SKIP || command == REQ || command == RTS;
}

quint16 checksum(const QByteArray &data)
{
    quint32 sum = 0;
    for (char c : data)
        sum += quint8(c);
    return quint16(sum);
}

QByteArray trimmedName(const QByteArray &raw)
{
    QByteArray name = raw.left(8);
    const int nul = name.indexOf('\0');
    return nul < 0 ? name : name.left(nul);
}
} // namespace

QByteArray FakeCalculator::testPattern(Model model)
{
    QByteArray out;
    if (model == Model::Ti84PlusCE) {
        // A gradient in red and green with a checker in blue: every pixel
        // differs from its neighbours somewhere.
        out.reserve(320 * 240 * 2);
        for (int y = 0; y < 240; ++y) {
            for (int x = 0; x < 320; ++x) {
                const int r = x * 31 / 319, g = y * 63 / 239, b = (x ^ y) & 31;
                const quint16 p = quint16(r << 11 | g << 5 | b);
                out.append(char(p & 0xFF)).append(char(p >> 8));
            }
        }
        return out;
    }
    out = QByteArray(96 * 64 / 8, '\0');
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x)
            if ((x / 4 + y / 3) % 3 == 0 || x == y)
                out[y * 12 + x / 8] = char(quint8(out[y * 12 + x / 8]) | (0x80 >> (x % 8)));
    return out;
}

void FakeCalculator::store(const Variable &variable)
{
    for (Variable &v : m_vars) {
        if (v.name == variable.name) {
            v = variable;
            return;
        }
    }
    m_vars.append(variable);
}

const FakeCalculator::Variable *FakeCalculator::find(const QByteArray &name) const
{
    for (const Variable &v : m_vars)
        if (v.name == name)
            return &v;
    return nullptr;
}

void FakeCalculator::abandon()
{
    m_in.clear();
    m_out.clear();
    m_cut = false;
    m_state = State::Idle;
}

QByteArray FakeCalculator::take(int count)
{
    const QByteArray out = m_out.left(count);
    m_out.remove(0, out.size());
    return out;
}

void FakeCalculator::receive(const QByteArray &bytes)
{
    m_in += bytes;
    for (;;) {
        if (m_in.size() < 4)
            return;
        const quint8 command = quint8(m_in[1]);
        const int length = quint8(m_in[2]) | quint8(m_in[3]) << 8;
        const int whole = carriesData(command) ? 4 + length + 2 : 4;
        if (m_in.size() < whole)
            return;
        const QByteArray raw = m_in.left(whole);
        m_in.remove(0, whole);
        m_log.append(raw);
        QByteArray data;
        if (carriesData(command)) {
            data = raw.mid(4, length);
            const quint16 sum = quint8(raw[4 + length]) | quint8(raw[5 + length]) << 8;
            if (sum != checksum(data)) {
                reply(ERR);
                continue;
            }
        }
        packet(command, data);
    }
}

void FakeCalculator::reply(quint8 command, const QByteArray &data, bool withData)
{
    if (m_fault == Fault::Silence || m_cut)
        return;
    QByteArray p;
    p.append(char(kCalc)).append(char(command));
    const int length = withData ? int(data.size()) : 0;
    p.append(char(length & 0xFF)).append(char(length >> 8));
    if (withData) {
        quint16 sum = checksum(data);
        if (m_fault == Fault::BadChecksum)
            sum ^= 0x5A5A;
        p.append(data).append(char(sum & 0xFF)).append(char(sum >> 8));
    }
    if (m_fault == Fault::CutOff) {
        p.truncate(qMax(1, int(p.size()) / 2));
        m_cut = true;
    }
    m_out += p;
    ++m_answers;
}

QByteArray FakeCalculator::header(const Variable &v) const
{
    QByteArray h;
    const int size = int(v.data.size());
    h.append(char(size & 0xFF)).append(char(size >> 8)).append(char(v.type));
    h.append(v.name.leftJustified(8, '\0', true));
    h.append(char(0)).append(char(v.archived ? 0x80 : 0));
    return h;
}

void FakeCalculator::sendNextListItem()
{
    ++m_listIndex;
    if (m_listIndex < m_vars.size()) {
        reply(VAR, header(m_vars[m_listIndex]), true);
    } else {
        reply(EOT);
        m_state = State::Idle;
    }
}

void FakeCalculator::packet(quint8 command, const QByteArray &data)
{
    switch (command) {
    case RDY:
        // A new conversation: whatever an abandoned one left unread is gone.
        m_out.clear();
        m_cut = false;
        ack();
        m_state = State::Idle;
        return;
    case RTS:
        requestToSend(data);
        return;
    case ACK:
        acknowledged();
        return;
    case DATA:
        ack();
        if (m_state == State::AwaitData) {
            m_pending.data = data;
            freeMemory -= int(data.size());
            store(m_pending);
            m_state = State::AwaitEot;
        }
        return;
    case EOT:
        // The end of a transfer is not acknowledged.
        m_state = State::Idle;
        return;
    case REQ:
        request(data);
        return;
    case SCR:
        // The screen goes as one data packet, acknowledged as a variable's.
        ack();
        reply(DATA, currentScreen(), true);
        m_state = State::RecvDataAck;
        return;
    case CTS:
        if (m_state == State::RecvCts) {
            ack();
            reply(DATA, m_pending.data, true);
            m_state = State::RecvDataAck;
        }
        return;
    default:
        return;
    }
}

// The computer offers a variable: clear to send, or skipped with a reason.
void FakeCalculator::requestToSend(const QByteArray &data)
{
    ack();
    m_pending = Variable();
    m_pending.type = data.size() > 2 ? quint8(data[2]) : 0;
    m_pending.name = trimmedName(data.mid(3, 8));
    const int size = data.size() > 1 ? quint8(data[0]) | quint8(data[1]) << 8 : 0;
    const int code = m_fault == Fault::RejectExit     ? 1
                     : m_fault == Fault::RejectSkip   ? 2
                     : m_fault == Fault::RejectMemory ? 3
                     : size > freeMemory              ? 3
                                                      : 0;
    if (code) {
        reply(SKIP, QByteArray(1, char(code)), true);
        m_state = State::Idle;
    } else {
        reply(CTS);
        m_state = State::SentCts;
    }
}

void FakeCalculator::acknowledged()
{
    switch (m_state) {
    case State::SentCts:
        m_state = State::AwaitData;
        return;
    case State::ListAck:
        sendNextListItem();
        return;
    case State::RecvVarAck:
        m_state = State::RecvCts;
        return;
    case State::RecvDataAck:
        m_state = State::Idle;
        return;
    default:
        return;
    }
}

// The computer asks for the listing or for one variable.
void FakeCalculator::request(const QByteArray &data)
{
    ack();
    const quint8 type = data.size() > 2 ? quint8(data[2]) : 0;
    if (type == kListing) {
        // Free memory first, then one header per variable, then EOT.
        QByteArray free;
        free.append(char(freeMemory & 0xFF)).append(char(freeMemory >> 8));
        reply(DATA, free, true);
        m_listIndex = -1;
        m_state = State::ListAck;
        return;
    }
    const Variable *v = find(trimmedName(data.mid(3, 8)));
    if (!v) {
        reply(SKIP, QByteArray(1, char(2)), true);
        m_state = State::Idle;
        return;
    }
    m_pending = *v;
    reply(VAR, header(*v), true);
    m_state = State::RecvVarAck;
}

QByteArray FakeCalculator::save() const
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s << qint32(freeMemory) << qint32(m_vars.size());
    for (const Variable &v : m_vars)
        s << v.name << quint8(v.type) << v.archived << v.data;
    return out;
}

bool FakeCalculator::load(const QByteArray &bytes)
{
    QDataStream s(bytes);
    qint32 free = 0, count = 0;
    s >> free >> count;
    QList<Variable> vars;
    for (int i = 0; i < count && s.status() == QDataStream::Ok; ++i) {
        Variable v;
        s >> v.name >> v.type >> v.archived >> v.data;
        vars.append(v);
    }
    if (s.status() != QDataStream::Ok)
        return false;
    freeMemory = free;
    m_vars = vars;
    return true;
}

} // namespace calclink
