// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A TI-83 Plus on the end of a cable, for tests: it answers the packets of
// the calculator's link protocol (machine ID 0x73) over a byte channel and
// keeps its programs in memory. Faults can be injected to see how the
// program copes with a calculator that refuses, stays silent or garbles.
#include <QByteArray>
#include <QList>

namespace calclink
{

class FakeCalculator
{
public:
    // The calculators a fake can be: this class is the TI-83 Plus on a
    // serial cable; FakeDusbCalculator the USB ones.
    enum class Model { Ti83Plus, Ti84Plus, Ti84PlusCE };
    virtual ~FakeCalculator() = default;
    virtual Model model() const { return Model::Ti83Plus; }
    enum class Fault {
        None,
        RejectExit,   // refuses a variable with code 1 (the user pressed EXIT)
        RejectSkip,   // code 2 (the user chose to skip it)
        RejectMemory, // code 3 (out of memory)
        Silence,      // answers nothing at all
        BadChecksum,  // its data packets carry a wrong checksum
        CutOff,       // its next packet stops half way, then silence
        SlowReply,    // every answer comes after replyDelayMs
    };

    struct Variable {
        QByteArray name; // as the calculator spells it, up to 8 bytes
        quint8 type = 5; // 5 program, 6 protected program
        bool archived = false;
        QByteArray data; // the variable's bytes: 2-byte length, then the tokens
    };

    void setFault(Fault fault) { m_fault = fault; }
    Fault fault() const { return m_fault; }
    int replyDelayMs = 0;
    int freeMemory = 24000;

    const QList<Variable> &variables() const { return m_vars; }
    void store(const Variable &variable);
    const Variable *find(const QByteArray &name) const;

    // The screen as the calculator sends it: 1 bit a pixel, rows of 12
    // bytes (96x64), or 2 bytes a pixel, RGB565 little-endian (320x240).
    // Empty: testPattern(model()).
    QByteArray screen;
    static QByteArray testPattern(Model model);

    // The cable was opened again: a packet cut short is forgotten, as the
    // calculator does when the rest never comes.
    virtual void abandon();
    // The channel: bytes from the computer, bytes for it.
    virtual void receive(const QByteArray &bytes);
    int available() const { return int(m_out.size()); }
    QByteArray take(int count);
    // Every packet the computer sent, whole, in order.
    const QList<QByteArray> &packetsReceived() const { return m_log; }
    // How many answers it has begun; a slow calculator waits before each.
    int answers() const { return m_answers; }

    // The memory, for a calculator that outlives one process.
    QByteArray save() const;
    bool load(const QByteArray &bytes);

protected:
    QByteArray currentScreen() const { return screen.isEmpty() ? testPattern(model()) : screen; }

private:
    enum class State {
        Idle,
        SentCts,     // waiting for ACK, then DATA
        AwaitData,   // variable data, then EOT
        AwaitEot,    // after the data: EOT or another RTS
        ListAck,     // a listing: waiting for the ACK of the item just sent
        RecvVarAck,  // sent a variable's header: ACK, then CTS
        RecvCts,     // waiting for the CTS
        RecvDataAck, // sent the data: waiting for its ACK
    };
    void packet(quint8 command, const QByteArray &data);
    void requestToSend(const QByteArray &data);
    void acknowledged();
    void request(const QByteArray &data);
    void reply(quint8 command, const QByteArray &data = QByteArray(), bool withData = false);
    void ack() { reply(0x56); }
    void sendNextListItem();
    QByteArray header(const Variable &v) const;

    State m_state = State::Idle;
    Variable m_pending;
    int m_listIndex = -1;

protected:
    Fault m_fault = Fault::None;
    QList<Variable> m_vars;
    QByteArray m_in, m_out;
    QList<QByteArray> m_log;
    bool m_cut = false;
    int m_answers = 0;
};

} // namespace calclink
