#include "link/linkmessage.h"

#include <QCoreApplication>

LinkMessageEvent::LinkMessageEvent(int hostId, int workerId, int code, int value)
    : QEvent(EventType()), m_hostId(hostId), m_workerId(workerId), m_code(code), m_value(value)
{
}

QEvent::Type LinkMessageEvent::EventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void PostLinkMessage(int hostId, int workerId, int code, int value)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        QCoreApplication::postEvent(app, new LinkMessageEvent(hostId, workerId, code, value));
}
