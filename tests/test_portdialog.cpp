// The COM port dialog: the port table from the system's names, the list and its preselection.
#include "files/portdialog.h"
#include "link/serialdevicemap.h"
#include "support/testsupport.h"

#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

class PortDialogTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

    static QStringList listed(const QStringList &names)
    {
        QStringList out;
        for (int port : TSettingsDialog::ListedPorts(TSettingsDialog::BuildPortTable(names)))
            out << QStringLiteral("COM%1").arg(port);
        return out;
    }

    static void clearMap()
    {
        QSettings settings(QStringLiteral("Halvern"), QStringLiteral("QuarnTrim"));
        settings.remove(QStringLiteral("SerialDeviceMap"));
    }

private slots:
    void init() { clearMap(); }

    void tableFromTheSystemNames()
    {
        QCOMPARE(listed({"COM4", "COM1", "COM3", "COM3"}), QStringList({"COM1", "COM3", "COM4"}));
        // No number, port 0, out of range and other names add nothing.
        QCOMPARE(listed({"COMX", "COM0", "COM256", "COM-2", "LPT1", "COM255"}), QStringList({"COM255"}));
    }

    void preselection_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("index");
        QTest::newRow("current 2: COM1") << 2 << 0;
        QTest::newRow("current 3: COM3") << 3 << 1;
        QTest::newRow("current 7: COM4") << 7 << 2;
        QTest::newRow("current 0: the first") << 0 << 0;
    }

    void preselection()
    {
        QFETCH(int, current);
        QFETCH(int, index);
        QCOMPARE(TSettingsDialog::PreselectIndex({1, 3, 4}, current), index);
    }

    void dialogListsTheMappedPorts()
    {
        for (int n : {201, 203, 204}) SerialDeviceMap::Register(n, QStringLiteral("/dev/null"));
        SerialDeviceMap::Register(0, QStringLiteral("/dev/null"));  // COM0 is never listed

        TSettingsDialog dialog(202);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("COM Port Setting"));
        QCOMPARE(dialog.size(), QSize(165, 80));
        auto *box = findControl<QComboBox>(&dialog, QStringLiteral("ComPortBox"));
        QVERIFY(!box->isEditable());
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            if (box->itemText(i).mid(3).toInt() > 200) items << box->itemText(i);
        QCOMPARE(items, QStringList({"COM201", "COM203", "COM204"}));
        QCOMPARE(box->currentText(), QStringLiteral("COM201"));
        auto *ok = findControl<QPushButton>(&dialog, QStringLiteral("OKButton"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        box->setCurrentIndex(box->findText(QStringLiteral("COM204")));
        QCOMPARE(dialog.SelectedPort(), 204);
    }

    void deviceMapEntriesWinOverThePlatformNames()
    {
        QCOMPARE(SerialDeviceMap::PlatformNumber(QStringLiteral("/dev/ttyS0")), 1);
        QCOMPARE(SerialDeviceMap::PlatformNumber(QStringLiteral("/dev/ttyUSB2")), 35);
        QCOMPARE(SerialDeviceMap::PlatformNumber(QStringLiteral("/dev/ttyACM0")), 65);
        QCOMPARE(SerialDeviceMap::PlatformNumber(QStringLiteral("/dev/pts/3")), 0);
        QCOMPARE(SerialDeviceMap::DeviceFor(12), QStringLiteral("/dev/ttyS11"));
        QCOMPARE(SerialDeviceMap::DeviceFor(0), QString());

        SerialDeviceMap::Register(12, QStringLiteral("/dev/pts/9"));
        QCOMPARE(SerialDeviceMap::DeviceFor(12), QStringLiteral("/dev/pts/9"));
        QVERIFY(SerialDeviceMap::PortNames().contains(QStringLiteral("COM12")));
        // Removing an entry that names another device keeps it.
        SerialDeviceMap::Unregister(12, QStringLiteral("/dev/pts/4"));
        QCOMPARE(SerialDeviceMap::DeviceFor(12), QStringLiteral("/dev/pts/9"));
        SerialDeviceMap::Unregister(12, QStringLiteral("/dev/pts/9"));
        QCOMPARE(SerialDeviceMap::DeviceFor(12), QStringLiteral("/dev/ttyS11"));
    }

    void emptyListChoosesPortZero()
    {
        TSettingsDialog dialog(3);
        auto *box = findControl<QComboBox>(&dialog, QStringLiteral("ComPortBox"));
        box->clear();
        QCOMPARE(dialog.SelectedPort(), 0);
    }
};

QTEST_MAIN(PortDialogTest)
#include "test_portdialog.moc"
