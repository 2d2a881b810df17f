// Choosing a port in the window: a typed COM number nobody lists, a controller behind a serial
// device server given a COM number of its own, and a port that cannot be opened said in the
// system's words.
#include "core/settings.h"
#include "ui/dialogs/networkportdialog.h"
#include "ui/dialogs/portdialog.h"
#include "link/serialdevicemap.h"
#include "link/serialline.h"
#include "link/windowsportwords.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

class PortChoiceTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

    static void clearSettings() { OpenSettings(QString::fromLatin1(SettingsSection))->clear(); }

private slots:
    void init() { clearSettings(); }

    void aTypedComNumberIsTaken()
    {
        SerialDeviceMap::Register(201, QStringLiteral("/dev/null"));
        TSettingsDialog dialog(201);
        auto *box = findControl<QComboBox>(&dialog, QStringLiteral("ComPortBox"));
        auto *ok = findControl<QPushButton>(&dialog, QStringLiteral("OKButton"));
        const int listed = box->count();
        for (const auto &[typed, port] : {std::pair{"COM9", 9}, {"com12", 12}, {" 250 ", 250}, {"COM201", 201}}) {
            box->setEditText(QString::fromLatin1(typed));
            QCOMPARE(dialog.SelectedPort(), port);
            QVERIFY(ok->isEnabled());
        }
        // Text that names no port keeps the port the dialog was opened on, and OK waits.
        for (const char *typed : {"COM0", "COM256", "COM", "LPT1", "9x"}) {
            box->setEditText(QString::fromLatin1(typed));
            QCOMPARE(dialog.SelectedPort(), 201);
            QVERIFY2(!ok->isEnabled(), typed);
        }
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QCOMPARE(box->count(), listed);  // what is typed never joins the list
    }

    void aNetworkAddressGetsAFreeComNumberAndIsRemembered()
    {
        SerialDeviceMap::Register(NetworkPortDialog::FirstNetworkPort, QStringLiteral("/dev/null"));  // taken
        const int first = NetworkPortDialog::FirstNetworkPort + 1;
        QCOMPARE(NetworkPortDialog::MapDevice(QStringLiteral("rfc2217://truck7:2001")), first);
        QCOMPARE(SerialDeviceMap::DeviceFor(first), QStringLiteral("rfc2217://truck7:2001"));
        // The same address keeps its number; another gets the next one.
        QCOMPARE(NetworkPortDialog::MapDevice(QStringLiteral("rfc2217://truck7:2001")), first);
        QCOMPARE(NetworkPortDialog::MapDevice(QStringLiteral("tcp://truck7:2001")), first + 1);

        for (const char *host : {"truck7", "192.168.1.20", "yard-server.example", "[fe80::1]"})
            QVERIFY2(NetworkPortDialog::ValidHost(QString::fromLatin1(host)), host);
        for (const char *host : {"", "truck 7", "a/b", "host:2001", "[fe80::1"})
            QVERIFY2(!NetworkPortDialog::ValidHost(QString::fromLatin1(host)), host);

        QCOMPARE(NetworkPortDialog::Remembered().port, 2001);  // nothing typed yet: ser2net's first port
        NetworkPortDialog::Remember({QStringLiteral("cab3"), 4001, NetworkPortDialog::Kind::Telnet});
        NetworkPortDialog dialog;
        QCOMPARE(findControl<QLineEdit>(&dialog, QStringLiteral("NetworkHost"))->text(), QStringLiteral("cab3"));
        QCOMPARE(findControl<QSpinBox>(&dialog, QStringLiteral("NetworkPortNumber"))->value(), 4001);
        QCOMPARE(NetworkPortDialog::DeviceName(dialog.Entered()), QStringLiteral("rfc2217://cab3:4001"));
        findControl<QLineEdit>(&dialog, QStringLiteral("NetworkHost"))->setText(QStringLiteral("cab 3"));
        QVERIFY(!findControl<QPushButton>(&dialog, QStringLiteral("NetworkOk"))->isEnabled());
    }

    void networkButtonListsAndSelectsTheNewPort()
    {
        TSettingsDialog dialog(1);
        ModalAnswerer answerer;
        answerer.setDialogHandler([](QWidget *window) {
            findControl<QLineEdit>(window, QStringLiteral("NetworkHost"))->setText(QStringLiteral("127.0.0.1"));
            findControl<QSpinBox>(window, QStringLiteral("NetworkPortNumber"))->setValue(3001);
            findControl<QComboBox>(window, QStringLiteral("NetworkKind"))->setCurrentIndex(0);
            findControl<QPushButton>(window, QStringLiteral("NetworkOk"))->click();
        });
        findControl<QPushButton>(&dialog, QStringLiteral("NetworkButton"))->click();
        const int port = NetworkPortDialog::FirstNetworkPort;
        QCOMPARE(dialog.SelectedPort(), port);
        QCOMPARE(findControl<QComboBox>(&dialog, QStringLiteral("ComPortBox"))->currentText(),
                 QStringLiteral("COM%1   tcp://127.0.0.1:3001").arg(port));
        QCOMPARE(NetworkPortDialog::Remembered().host, QStringLiteral("127.0.0.1"));
    }

    void aPortWithNoDeviceIsSaidInTheSystemsWords()
    {
        QCOMPARE(WindowsPortWords::OpenFailure(QStringLiteral("\\\\.\\COM5"), QStringLiteral("The system cannot find the file specified.")),
                 QStringLiteral("COM5: The system cannot find the file specified."));
#ifdef Q_OS_WIN
        // No port has this number (the test prefixes map none to it). Windows refuses to open it
        // (Wine opens it and refuses its line settings): either way the port is named and the
        // system's sentence follows, without a word of the device map.
        SerialLine line;
        QVERIFY(line.Open(QStringLiteral("\\\\.\\COM250"), 9600) != SerialLine::OpenFault::None);
        const QString named = QStringLiteral("COM250: ");
        QVERIFY2(line.ErrorText().startsWith(named) && line.ErrorText().size() > named.size() &&
                     !line.ErrorText().contains(QLatin1String("SerialDeviceMap")),
                 qPrintable(line.ErrorText()));
#endif
    }
};

QTEST_MAIN(PortChoiceTest)
#include "test_portchoice.moc"
