// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A TI-84 Plus or TI-84 Plus CE on the end of its USB cable, for tests: it
// answers the USB link protocol as the cable library expects it. Raw
// packets (buffer size, data, acknowledgement) carry virtual packets
// (mode, parameters, directory, variable header and contents, end of
// transmission, error); the programs and faults are the base class's.
#include "link/FakeCalculator.h"

namespace calclink
{

class FakeDusbCalculator final : public FakeCalculator
{
public:
    explicit FakeDusbCalculator(Model model = Model::Ti84PlusCE);
    Model model() const override { return m_model; }

    void abandon() override;
    void receive(const QByteArray &bytes) override;

    // The largest raw packet it takes and sends: 250 bytes on the
    // TI-84 Plus, 1018 on the CE.
    int rawPacketSize() const { return m_model == Model::Ti84PlusCE ? 1018 : 250; }

    // The error codes it answers with when it refuses a variable.
    enum : quint16 {
        ErrorInvalidName = 0x0004,
        ErrorMemory = 0x000C,
        ErrorBusy = 0x0011,
        ErrorLocked = 0x0012,
    };

private:
    void restart();
    void emitRaw(QByteArray packet);
    void raw(quint8 type, const QByteArray &data);
    void virtualPacket(quint16 type, const QByteArray &data);
    void answer(quint16 type, const QByteArray &data = QByteArray());
    void emitNext();
    void parameters(const QByteArray &data);
    void directory(const QByteArray &data);
    void requestToSend(const QByteArray &data);
    void variableRequest(const QByteArray &data);
    QByteArray variableHeader(const Variable &v, const QList<quint16> &attributes) const;

    Model m_model;
    QByteArray m_vpkt;         // the virtual packet being received
    QList<QByteArray> m_queue; // raw packets waiting for the computer's acknowledgement
    bool m_awaitingAck = false;
    bool m_expectContents = false;
    Variable m_pending;
};

} // namespace calclink
