#pragma once
// Port names that reach a controller through a serial device server on the network:
// "tcp://HOST:PORT" (raw bytes: the server keeps its own line settings) and
// "rfc2217://HOST:PORT" (Telnet with serial port control: the tool sets the line itself).
#include <QString>

#include <cstdint>
#include <optional>

struct NetworkPort {
    enum class Kind { Raw, Telnet };
    Kind kind = Kind::Raw;
    QString host;  // a name or an address; an IPv6 address without its brackets
    uint16_t port = 0;
};

// True when `name` starts like a network port name (whether or not the rest is well formed).
bool IsNetworkPortName(const QString &name);
// The parts of a network port name; nothing when it is malformed.
std::optional<NetworkPort> ParseNetworkPort(const QString &name);
// Why `name`, a network port name, is malformed.
QString MalformedNetworkPortText(const QString &name);
