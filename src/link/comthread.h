#pragma once
// The link worker: the one thread that owns the serial port.
#include <QThread>

class TCOMThread : public QThread {
    Q_OBJECT
public:
    explicit TCOMThread(int port, QObject *parent = nullptr);

protected:
    void run() override;

private:
    int m_port;
};
