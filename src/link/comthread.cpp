#include "link/comthread.h"

TCOMThread::TCOMThread(int port, QObject *parent) : QThread(parent), m_port(port) {}

void TCOMThread::run()
{
    while (!isInterruptionRequested()) msleep(10);
}
