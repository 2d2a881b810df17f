#pragma once
// The serial line the link worker talks through: one port, opened at the link's speed, 8N1, no
// flow control, polled without an event loop (a read returns at once with what is waiting; a
// write returns once the driver has taken the byte, or when the caller asks to stop).
//
// On Windows the port is a handle of the system's own, opened without overlapped I/O: a wait for
// a serial event does not complete on every driver (Wine's pseudo-terminal ports among them),
// while a plain read with time-outs that return at once does. Elsewhere the toolkit's serial port
// serves.
#include "link/portline.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QSerialPort;

class SerialLine : public PortLine {
public:
    SerialLine();
    ~SerialLine() override;
    SerialLine(const SerialLine &) = delete;
    SerialLine &operator=(const SerialLine &) = delete;

    // Opens `name` at `speed` baud, 8N1, no flow control, the modem lines held inactive (a
    // pseudo-terminal has none and refuses them, which is harmless). On failure the line stays
    // closed and ErrorText() says why.
    OpenFault Open(const QString &name, int speed) override;
    void Close() override;
    bool IsOpen() const override;

    // One byte if one is waiting, without waiting.
    bool Read(uint8_t &byte) override;
    // One byte, returning once the driver has taken it. `stopping` is asked between bounded waits
    // for the driver; when it says stop, the unsent output is discarded and the write fails.
    bool Write(uint8_t byte, const std::function<bool()> &stopping) override;

    // Set by a failed read or write that found the port's device gone (an adapter pulled out,
    // the far end of a pseudo-terminal closed); the line is closed then.
    bool Gone() const override { return m_gone; }
    // Why the last opening or write failed, in the system's words (a "file" there is the port).
    QString ErrorText() const override { return m_errorText; }

private:
    // After a failed read or write: closes the line when its device has gone.
    void NoteGone();

#ifdef Q_OS_WIN
    void *m_handle;  // the port's handle, the system's invalid handle while closed
    // The system's error code of the failure NoteGone looks at.
    unsigned long m_lastError = 0;
#else
    std::unique_ptr<QSerialPort> m_port;
#endif
    bool m_gone = false;
    QString m_errorText;
};
