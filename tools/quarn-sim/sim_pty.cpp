#include "sim_pty.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::~PseudoTerminal() { Close(); }

bool PseudoTerminal::Open(QString &error)
{
    Close();
    auto fail = [&](const char *step) {
        error = QStringLiteral("%1: %2").arg(QLatin1String(step), QString::fromLocal8Bit(std::strerror(errno)));
        Close();
        return false;
    };
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) return fail("posix_openpt");
    if (grantpt(m_master) != 0) return fail("grantpt");
    if (unlockpt(m_master) != 0) return fail("unlockpt");
    const char *name = ptsname(m_master);
    if (!name) return fail("ptsname");
    m_devicePath = QString::fromLocal8Bit(name);
    const int flags = fcntl(m_master, F_GETFL);
    if (flags < 0 || fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0) return fail("fcntl");

    // Raw line: no echo, no line editing, every byte value passes.
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_slave < 0) return fail("open slave");
    termios tio{};
    if (tcgetattr(m_slave, &tio) != 0) return fail("tcgetattr");
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    if (tcsetattr(m_slave, TCSANOW, &tio) != 0) return fail("tcsetattr");
    return true;
}

void PseudoTerminal::Close()
{
    if (m_slave >= 0) ::close(m_slave);
    if (m_master >= 0) ::close(m_master);
    m_slave = m_master = -1;
}
