#pragma once
// The byte line the link worker polls: a local serial port, or a connection to a serial device
// server on the network. Every line is used without an event loop: a read returns at once with
// what is waiting; a write returns once the system has taken the byte, or when the caller asks
// to stop.
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class PortLine {
public:
    // Why an opening failed.
    enum class OpenFault {
        None,
        Refused,   // held by another program, or a lack of permission
        NoDevice,  // the system has no device under that name
        Other,
    };

    virtual ~PortLine() = default;

    // Opens `name` at `speed` baud, 8N1, no flow control, the modem lines held inactive. On
    // failure the line stays closed and ErrorText() says why.
    virtual OpenFault Open(const QString &name, int speed) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // One byte if one is waiting, without waiting.
    virtual bool Read(uint8_t &byte) = 0;
    // One byte, returning once the system has taken it. `stopping` is asked between bounded
    // waits; when it says stop, the unsent output is discarded and the write fails.
    virtual bool Write(uint8_t byte, const std::function<bool()> &stopping) = 0;
    // Set by a failed read or write that found the line gone (an adapter pulled out, a
    // connection closed); the line is closed then.
    virtual bool Gone() const = 0;
    // Why the last opening, write or loss happened, in words the status line shows.
    virtual QString ErrorText() const = 0;

    // A line over a network: its round trip is measured and the link's limits grow with it.
    virtual bool OverNetwork() const { return false; }
    // The round trip the opening itself took, as a first estimate (0 where it tells nothing).
    virtual uint32_t OpeningRoundTripMs() const { return 0; }
    // Bytes written that the far end has not yet taken (0 where the line cannot tell).
    virtual int Backlog() const { return 0; }
    // Asks the far end to discard what it holds from the controller and has not yet passed on.
    virtual void PurgeInput() {}
};

// The line for a port name: a network line for "tcp://HOST:PORT" and "rfc2217://HOST:PORT",
// the serial port otherwise.
std::unique_ptr<PortLine> MakePortLine(const QString &name);
