#pragma once
// A pseudo-terminal pair: the emulator reads and writes the master side, the tool opens the slave
// device like a serial port.
#include <QString>

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    // Opens a new pair in raw mode; false with the system's message on failure.
    bool Open(QString &error);
    void Close();
    bool IsOpen() const { return m_master >= 0; }
    int Master() const { return m_master; }
    QString DevicePath() const { return m_devicePath; }

private:
    int m_master = -1;
    // The emulator keeps the slave side open as well, so the pair survives the tool closing and
    // reopening its port, and bytes sent meanwhile wait in the line as on a real cable.
    int m_slave = -1;
    QString m_devicePath;
};
