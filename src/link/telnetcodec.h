#pragma once
// Telnet with serial port control, as a serial device server speaks it: the bytes from the
// server are split into the controller's data and the server's commands, which are answered
// here; the controller's bytes to the server are escaped.
//
// The tool asks for binary transfers both ways and for serial port control; once the server
// agrees to the latter, the line is set to the link's speed, 8 data bits, no parity, one stop
// bit, no flow control, with DTR and RTS off. Every other option is refused. A command may be
// split across reads; a data byte 0xFF travels doubled.
#include <QByteArray>

#include <array>
#include <cstdint>

class TelnetCodec {
public:
    explicit TelnetCodec(int speed) : m_speed(speed) {}

    // The tool's opening offers, sent once the connection is up.
    QByteArray Opening();
    // Takes bytes from the server: the controller's data is appended to `data`, what the tool
    // answers to the server to `replies`.
    void Receive(const char *bytes, int count, QByteArray &data, QByteArray &replies);
    // One data byte as it goes on the wire.
    static void Escape(uint8_t byte, QByteArray &out);
    // Asks the server to discard what it received from the controller and has not yet sent on.
    static QByteArray PurgeInput();

    // Binary transfers agreed both ways: data passes unchanged.
    bool Binary() const { return m_us[Binary_] && m_him[Binary_]; }
    // The server took up serial port control and the line settings went out.
    bool PortControl() const { return m_us[PortControl_]; }
    // The server refused something the tool cannot do without.
    bool Refused() const { return m_refused; }
    // The server's last answer to a serial port control command (the command's own code), or
    // -1 when it gave none. For a command with a one-byte value, that value.
    int ServerAnswer(uint8_t command) const;

private:
    // The options the tool takes part in.
    enum Option : uint8_t { Binary_, SuppressGoAhead_, PortControl_, OptionCount };
    static int OptionIndex(uint8_t code);
    void Negotiate(uint8_t command, uint8_t option, QByteArray &replies);
    void EndSubnegotiation();
    void AppendLineSettings(QByteArray &replies) const;

    enum class State : uint8_t { Data, Command, Option, Sub, SubCommand };
    State m_state = State::Data;
    uint8_t m_command = 0;
    QByteArray m_sub;  // a subnegotiation being received, its option code first
    bool m_afterCr = false;
    int m_speed;
    std::array<bool, OptionCount> m_us{};       // enabled on the tool's side
    std::array<bool, OptionCount> m_him{};      // enabled on the server's side
    std::array<bool, OptionCount> m_askedUs{};  // the tool offered it and awaits the answer
    std::array<bool, OptionCount> m_askedHim{};
    bool m_refused = false;
    std::array<int16_t, 16> m_answers = [] {
        std::array<int16_t, 16> none{};
        none.fill(-1);
        return none;
    }();
};
