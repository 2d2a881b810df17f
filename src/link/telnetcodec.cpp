#include "link/telnetcodec.h"

namespace {
namespace Telnet {
constexpr uint8_t Iac = 255;
constexpr uint8_t Dont = 254;
constexpr uint8_t Do = 253;
constexpr uint8_t Wont = 252;
constexpr uint8_t Will = 251;
constexpr uint8_t Sb = 250;
constexpr uint8_t Se = 240;
constexpr uint8_t OptBinary = 0;
constexpr uint8_t OptSuppressGoAhead = 3;
constexpr uint8_t OptComPort = 44;
constexpr uint8_t Cr = 13;
constexpr uint8_t Nul = 0;
}  // namespace Telnet

// Serial port control commands, client to server; the server answers with the code plus 100.
namespace ComPort {
constexpr uint8_t SetBaudRate = 1;
constexpr uint8_t SetDataSize = 2;
constexpr uint8_t SetParity = 3;
constexpr uint8_t SetStopSize = 4;
constexpr uint8_t SetControl = 5;
constexpr uint8_t PurgeData = 12;
constexpr uint8_t ServerOffset = 100;
constexpr uint8_t DataBits8 = 8;
constexpr uint8_t ParityNone = 1;
constexpr uint8_t StopBits1 = 1;
constexpr uint8_t NoFlowControl = 1;
constexpr uint8_t DtrOff = 9;
constexpr uint8_t RtsOff = 12;
constexpr uint8_t PurgeReceiveBuffer = 1;
}  // namespace ComPort

// A subnegotiation longer than this is no command the tool reads: the rest is dropped.
constexpr int LongestSubnegotiation = 64;

void AppendSub(QByteArray &out, uint8_t command, const QByteArray &value)
{
    out.append(char(Telnet::Iac)).append(char(Telnet::Sb)).append(char(Telnet::OptComPort)).append(char(command));
    for (const char c : value) TelnetCodec::Escape(uint8_t(c), out);
    out.append(char(Telnet::Iac)).append(char(Telnet::Se));
}

QByteArray OneByte(uint8_t value) { return QByteArray(1, char(value)); }
}  // namespace

int TelnetCodec::OptionIndex(uint8_t code)
{
    switch (code) {
    case Telnet::OptBinary: return Binary_;
    case Telnet::OptSuppressGoAhead: return SuppressGoAhead_;
    case Telnet::OptComPort: return PortControl_;
    default: return -1;
    }
}

QByteArray TelnetCodec::Opening()
{
    QByteArray out;
    const auto ask = [&out](uint8_t command, uint8_t option) { out.append(char(Telnet::Iac)).append(char(command)).append(char(option)); };
    ask(Telnet::Will, Telnet::OptBinary);
    ask(Telnet::Do, Telnet::OptBinary);
    ask(Telnet::Will, Telnet::OptComPort);
    m_askedUs[Binary_] = m_askedHim[Binary_] = m_askedUs[PortControl_] = true;
    return out;
}

void TelnetCodec::Escape(uint8_t byte, QByteArray &out)
{
    out.append(char(byte));
    if (byte == Telnet::Iac) out.append(char(byte));
}

QByteArray TelnetCodec::PurgeInput()
{
    QByteArray out;
    AppendSub(out, ComPort::PurgeData, OneByte(ComPort::PurgeReceiveBuffer));
    return out;
}

void TelnetCodec::AppendLineSettings(QByteArray &replies) const
{
    const auto speed = uint32_t(m_speed);
    QByteArray baud;
    for (int shift = 24; shift >= 0; shift -= 8) baud.append(char((speed >> shift) & 0xFF));
    AppendSub(replies, ComPort::SetBaudRate, baud);
    AppendSub(replies, ComPort::SetDataSize, OneByte(ComPort::DataBits8));
    AppendSub(replies, ComPort::SetParity, OneByte(ComPort::ParityNone));
    AppendSub(replies, ComPort::SetStopSize, OneByte(ComPort::StopBits1));
    AppendSub(replies, ComPort::SetControl, OneByte(ComPort::NoFlowControl));
    AppendSub(replies, ComPort::SetControl, OneByte(ComPort::DtrOff));
    AppendSub(replies, ComPort::SetControl, OneByte(ComPort::RtsOff));
}

int TelnetCodec::ServerAnswer(uint8_t command) const { return command < m_answers.size() ? m_answers[command] : -1; }

void TelnetCodec::Receive(const char *bytes, int count, QByteArray &data, QByteArray &replies)
{
    for (int i = 0; i < count; ++i) {
        const auto byte = uint8_t(bytes[i]);
        switch (m_state) {
        case State::Data:
            if (byte == Telnet::Iac) {
                m_state = State::Command;
            } else {
                // Outside binary mode a carriage return travels as CR NUL.
                const bool padding = byte == Telnet::Nul && m_afterCr && !m_him[Binary_];
                if (!padding) data.append(char(byte));
                m_afterCr = byte == Telnet::Cr;
            }
            break;
        case State::Command:
            m_state = State::Data;
            if (byte == Telnet::Iac) {
                data.append(char(byte));
                m_afterCr = false;
            } else if (byte >= Telnet::Will && byte <= Telnet::Dont) {
                m_command = byte;
                m_state = State::Option;
            } else if (byte == Telnet::Sb) {
                m_sub.clear();
                m_state = State::Sub;
            }
            // Every other command (no operation, go ahead, are you there, ...) asks nothing of
            // a line that carries only the controller's bytes.
            break;
        case State::Option:
            m_state = State::Data;
            Negotiate(m_command, byte, replies);
            break;
        case State::Sub:
            if (byte == Telnet::Iac) m_state = State::SubCommand;
            else if (m_sub.size() < LongestSubnegotiation) m_sub.append(char(byte));
            break;
        case State::SubCommand:
            if (byte == Telnet::Iac) {
                if (m_sub.size() < LongestSubnegotiation) m_sub.append(char(byte));
                m_state = State::Sub;
            } else {
                // IAC SE ends it; any other command ends it too, malformed.
                EndSubnegotiation();
                m_state = State::Data;
            }
            break;
        }
    }
}

void TelnetCodec::EndSubnegotiation()
{
    if (m_sub.size() < 2 || uint8_t(m_sub[0]) != Telnet::OptComPort) return;
    const auto code = uint8_t(m_sub[1]);
    if (code < ComPort::ServerOffset || code - ComPort::ServerOffset >= int(m_answers.size())) return;
    const int value = m_sub.size() == 3 ? uint8_t(m_sub[2]) : m_sub.size() > 3 ? 0 : -1;
    m_answers[code - ComPort::ServerOffset] = int16_t(value);
}

void TelnetCodec::Negotiate(uint8_t command, uint8_t option, QByteArray &replies)
{
    const auto reply = [&replies, option](uint8_t answer) {
        replies.append(char(Telnet::Iac)).append(char(answer)).append(char(option));
    };
    const int index = OptionIndex(option);
    // The server's own side: it offers (WILL) or withdraws (WONT).
    if (command == Telnet::Will || command == Telnet::Wont) {
        const bool wanted = index == Binary_ || index == SuppressGoAhead_;
        const bool will = command == Telnet::Will;
        if (index < 0 || !wanted) {
            if (will) reply(Telnet::Dont);
            return;
        }
        const bool asked = m_askedHim[index];
        m_askedHim[index] = false;
        // Binary transfers from the server are needed: a refusal ends the opening.
        if (!will && index == Binary_ && (asked || m_him[index])) m_refused = true;
        if (m_him[index] == will) return;  // no change: never answered, so no loop
        m_him[index] = will;
        if (!asked) reply(will ? Telnet::Do : Telnet::Dont);
        return;
    }
    // The tool's side: the server asks it to (DO) or not to (DONT).
    const bool enable = command == Telnet::Do;
    if (index < 0) {
        if (enable) reply(Telnet::Wont);
        return;
    }
    const bool asked = m_askedUs[index];
    m_askedUs[index] = false;
    // Binary transfers to the server and serial port control are needed likewise.
    if (!enable && index != SuppressGoAhead_ && (asked || m_us[index])) m_refused = true;
    if (m_us[index] == enable) return;
    m_us[index] = enable;
    if (!asked) reply(enable ? Telnet::Will : Telnet::Wont);
    if (enable && index == PortControl_) AppendLineSettings(replies);
}
