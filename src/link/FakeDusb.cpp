// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/FakeDusb.h"

namespace calclink
{

namespace
{
// Raw packet types.
enum : quint8 { BufSizeReq = 1, BufSizeAlloc = 2, VirtData = 3, VirtDataLast = 4, VirtAck = 5 };
// Virtual packet types.
enum : quint16 {
    Ping = 0x0001,
    ParamRequest = 0x0007,
    ParamData = 0x0008,
    DirRequest = 0x0009,
    VarHeader = 0x000A,
    RequestToSend = 0x000B,
    VarRequest = 0x000C,
    VarContents = 0x000D,
    ModeAck = 0x0012,
    DataAck = 0xAA00,
    Eot = 0xDD00,
    Error = 0xEE00,
};
// Parameters and attributes it knows.
enum : quint16 { PidFreeRam = 0x000E, PidFreeFlash = 0x0011, PidScreenshot = 0x0022 };
enum : quint16 {
    AidSize = 0x01,
    AidType = 0x02,
    AidArchived = 0x03,
    AidVersion = 0x08,
    AidType2 = 0x11,
};
constexpr int kHeaderSize = 6; // a virtual packet's size and type

QByteArray be16(quint32 v)
{
    QByteArray b;
    b.append(char(v >> 8 & 0xFF)).append(char(v & 0xFF));
    return b;
}

QByteArray be32(quint32 v)
{
    return be16(v >> 16) + be16(v & 0xFFFF);
}

quint32 read16(const QByteArray &d, int at)
{
    return at + 2 <= d.size() ? quint32(quint8(d[at])) << 8 | quint8(d[at + 1]) : 0;
}

quint32 read32(const QByteArray &d, int at)
{
    return read16(d, at) << 16 | read16(d, at + 2);
}

// Names go over USB in UTF-8; the memory keeps the calculator's own byte
// for θ, as the serial calculator does.
const QByteArray kThetaUtf8("\xCE\xB8");

QByteArray fromWire(QByteArray name)
{
    return name.replace(kThetaUtf8, QByteArray(1, char(0x5B)));
}

QByteArray toWire(QByteArray name)
{
    return name.replace(QByteArray(1, char(0x5B)), kThetaUtf8);
}

// A folder and a variable name as the requests spell them: a length, the
// name, a NUL. `at` moves past them.
QByteArray readName(const QByteArray &d, int *at)
{
    const int folder = *at < d.size() ? quint8(d[*at]) : 0;
    *at += 1 + (folder ? folder + 1 : 0);
    const int length = *at < d.size() ? quint8(d[*at]) : 0;
    const QByteArray name = d.mid(*at + 1, length);
    *at += 1 + length + 1;
    return fromWire(name);
}

bool carriesData(quint16 type)
{
    return type == VarHeader || type == VarContents || type == ParamData;
}
} // namespace

// A TI-83 Plus has no USB port: asked for one, it is a TI-84 Plus.
FakeDusbCalculator::FakeDusbCalculator(Model model)
    : m_model(model == Model::Ti83Plus ? Model::Ti84Plus : model)
{
}

void FakeDusbCalculator::abandon()
{
    FakeCalculator::abandon();
    restart();
}

void FakeDusbCalculator::restart()
{
    m_out.clear();
    m_cut = false;
    m_vpkt.clear();
    m_queue.clear();
    m_awaitingAck = false;
    m_expectContents = false;
}

void FakeDusbCalculator::receive(const QByteArray &bytes)
{
    m_in += bytes;
    for (;;) {
        if (m_in.size() < 5)
            return;
        const quint32 size = read32(m_in, 0);
        if (quint32(m_in.size()) < 5 + size)
            return;
        const QByteArray packet = m_in.left(int(5 + size));
        m_in.remove(0, packet.size());
        m_log.append(packet);
        raw(quint8(packet[4]), packet.mid(5));
    }
}

// Everything it says goes through here, where the faults act.
void FakeDusbCalculator::emitRaw(QByteArray packet)
{
    if (m_fault == Fault::Silence || m_cut)
        return;
    if (m_fault == Fault::CutOff) {
        packet.truncate(qMax(1, int(packet.size()) / 2));
        m_cut = true;
    }
    m_out += packet;
    ++m_answers;
}

void FakeDusbCalculator::raw(quint8 type, const QByteArray &data)
{
    switch (type) {
    case BufSizeReq: {
        // Every conversation starts here: whatever an abandoned one left
        // unread is gone.
        restart();
        QByteArray p = be32(4);
        p.append(char(BufSizeAlloc)).append(be32(quint32(rawPacketSize())));
        emitRaw(p);
        return;
    }
    case VirtData:
    case VirtDataLast: {
        QByteArray ack = be32(2);
        ack.append(char(VirtAck)).append(be16(0xE000));
        emitRaw(ack);
        m_vpkt += data;
        if (type == VirtDataLast) {
            const QByteArray whole = m_vpkt;
            m_vpkt.clear();
            // The declared size must match what came, as the library
            // checks on its side.
            if (whole.size() >= kHeaderSize && read32(whole, 0) == quint32(whole.size()) - 6)
                virtualPacket(quint16(read16(whole, 4)), whole.mid(kHeaderSize));
        }
        return;
    }
    case VirtAck:
        m_awaitingAck = false;
        emitNext();
        return;
    default:
        return;
    }
}

// A virtual packet goes out in raw packets, each after the computer
// acknowledged the one before.
void FakeDusbCalculator::answer(quint16 type, const QByteArray &data)
{
    const int max = rawPacketSize();
    QByteArray all = be32(quint32(data.size())) + be16(type) + data;
    bool first = true;
    do {
        const QByteArray chunk = all.left(max);
        all.remove(0, chunk.size());
        QByteArray p = be32(quint32(chunk.size()));
        quint8 rawType = all.isEmpty() ? VirtDataLast : VirtData;
        // Garbled: the computer sees a raw packet of no known type.
        if (first && m_fault == Fault::BadChecksum && carriesData(type))
            rawType = 0x07;
        p.append(char(rawType)).append(chunk);
        m_queue.append(p);
        first = false;
    } while (!all.isEmpty());
    if (!m_awaitingAck)
        emitNext();
}

void FakeDusbCalculator::emitNext()
{
    if (m_queue.isEmpty())
        return;
    m_awaitingAck = true;
    emitRaw(m_queue.takeFirst());
}

void FakeDusbCalculator::virtualPacket(quint16 type, const QByteArray &data)
{
    switch (type) {
    case Ping:
        answer(ModeAck);
        return;
    case ParamRequest:
        parameters(data);
        return;
    case DirRequest:
        directory(data);
        return;
    case RequestToSend:
        requestToSend(data);
        return;
    case VarContents:
        if (m_expectContents) {
            m_expectContents = false;
            m_pending.data = data;
            freeMemory -= int(data.size());
            store(m_pending);
            answer(DataAck);
        }
        return;
    case VarRequest:
        variableRequest(data);
        return;
    case Eot:
    case DataAck:
        // Neither is answered.
        return;
    default:
        answer(Error, be16(ErrorInvalidName));
        return;
    }
}

void FakeDusbCalculator::parameters(const QByteArray &data)
{
    const quint32 count = read16(data, 0);
    QByteArray out = be16(count);
    for (quint32 i = 0; i < count; ++i) {
        const quint16 id = quint16(read16(data, int(2 + 2 * i)));
        QByteArray value;
        if (id == PidScreenshot)
            value = currentScreen();
        else if (id == PidFreeRam || id == PidFreeFlash)
            value = be32(0) + be32(quint32(qMax(0, freeMemory)));
        out += be16(id);
        if (value.isNull()) {
            out.append(char(1)); // not available
            continue;
        }
        // The screen is larger than the size field: the library takes the
        // packet's own size.
        out.append(char(0)).append(be16(quint32(value.size()) & 0xFFFF)).append(value);
    }
    answer(ParamData, out);
}

QByteArray FakeDusbCalculator::variableHeader(const Variable &v,
                                              const QList<quint16> &attributes) const
{
    QByteArray h;
    h.append(char(0)); // no folder
    const QByteArray name = toWire(v.name);
    h.append(char(name.size())).append(name).append(char(0));
    h.append(be16(quint32(attributes.size())));
    for (quint16 id : attributes) {
        QByteArray value;
        switch (id) {
        case AidSize:
            value = be32(quint32(v.data.size()));
            break;
        case AidType:
        case AidType2:
            value = be32(0xF0070000u | v.type);
            break;
        case AidArchived:
            value = QByteArray(1, v.archived ? char(1) : char(0));
            break;
        case AidVersion:
            value = be32(0);
            break;
        default:
            break;
        }
        h.append(be16(id));
        if (value.isEmpty()) {
            h.append(char(1));
            continue;
        }
        h.append(char(0)).append(be16(quint32(value.size()))).append(value);
    }
    return h;
}

// The listing: one header per variable, then the end of transmission.
void FakeDusbCalculator::directory(const QByteArray &data)
{
    const quint32 count = read32(data, 0);
    QList<quint16> attributes;
    for (quint32 i = 0; i < count && i < 64; ++i)
        attributes.append(quint16(read16(data, int(4 + 2 * i))));
    for (const Variable &v : std::as_const(m_vars))
        answer(VarHeader, variableHeader(v, attributes));
    answer(Eot);
}

// The computer offers a variable: acknowledged, or refused with a code.
void FakeDusbCalculator::requestToSend(const QByteArray &data)
{
    int at = 0;
    m_pending = Variable();
    m_pending.name = readName(data, &at);
    const quint32 size = read32(data, at);
    at += 4 + 1; // the size, the mode
    const quint32 count = read16(data, at);
    at += 2;
    for (quint32 i = 0; i < count && at < data.size(); ++i) {
        const quint16 id = quint16(read16(data, at));
        const int length = int(read16(data, at + 2));
        const QByteArray value = data.mid(at + 4, length);
        at += 4 + length;
        if (id == AidType && value.size() == 4)
            m_pending.type = quint8(value[3]);
        else if (id == AidArchived && value.size() == 1)
            m_pending.archived = value[0] != 0;
    }
    const quint16 code = m_fault == Fault::RejectExit                 ? ErrorBusy
                         : m_fault == Fault::RejectSkip               ? ErrorLocked
                         : m_fault == Fault::RejectMemory             ? ErrorMemory
                         : qint64(size) > qint64(qMax(0, freeMemory)) ? ErrorMemory
                                                                      : 0;
    if (code) {
        answer(Error, be16(code));
        return;
    }
    m_expectContents = true;
    answer(DataAck);
}

// The computer asks for one variable: its header, then its contents.
void FakeDusbCalculator::variableRequest(const QByteArray &data)
{
    int at = 0;
    const QByteArray name = readName(data, &at);
    at += 1 + 4; // a mode byte and four 0xFF
    const quint32 count = read16(data, at);
    at += 2;
    QList<quint16> attributes;
    for (quint32 i = 0; i < count && i < 64; ++i, at += 2)
        attributes.append(quint16(read16(data, at)));
    const Variable *v = find(name);
    if (!v) {
        answer(Error, be16(ErrorInvalidName));
        return;
    }
    answer(VarHeader, variableHeader(*v, attributes));
    answer(VarContents, v->data);
}

} // namespace calclink
