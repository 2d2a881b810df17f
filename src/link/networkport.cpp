#include "link/networkport.h"

#include <QRegularExpression>

namespace {
struct Scheme {
    const char *prefix;
    NetworkPort::Kind kind;
};
constexpr Scheme Schemes[] = {{"tcp://", NetworkPort::Kind::Raw}, {"rfc2217://", NetworkPort::Kind::Telnet}};
}  // namespace

bool IsNetworkPortName(const QString &name)
{
    for (const Scheme &scheme : Schemes)
        if (name.startsWith(QLatin1String(scheme.prefix), Qt::CaseInsensitive)) return true;
    return false;
}

std::optional<NetworkPort> ParseNetworkPort(const QString &name)
{
    // HOST:PORT, HOST a name or an IPv4 address, or an IPv6 address in brackets.
    static const QRegularExpression address(QStringLiteral("^(?:\\[([0-9A-Fa-f:.]+)\\]|([A-Za-z0-9._-]+)):([0-9]{1,5})$"));
    for (const Scheme &scheme : Schemes) {
        const QLatin1String prefix(scheme.prefix);
        if (!name.startsWith(prefix, Qt::CaseInsensitive)) continue;
        const QRegularExpressionMatch match = address.match(name.mid(prefix.size()));
        if (!match.hasMatch()) return std::nullopt;
        const int port = match.captured(3).toInt();
        if (port < 1 || port > 65535) return std::nullopt;
        NetworkPort parsed;
        parsed.kind = scheme.kind;
        parsed.host = match.hasCaptured(1) && !match.captured(1).isEmpty() ? match.captured(1) : match.captured(2);
        parsed.port = static_cast<uint16_t>(port);
        return parsed;
    }
    return std::nullopt;
}

QString MalformedNetworkPortText(const QString &name)
{
    return QStringLiteral("'%1' is no network port: write tcp://HOST:PORT or rfc2217://HOST:PORT (PORT 1 to 65535)").arg(name);
}
