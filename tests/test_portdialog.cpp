// The COM port dialog: the port table from the system's names, the list and its preselection.
#include "core/settings.h"
#include "ui/dialogs/portdialog.h"
#include "link/serialdevicemap.h"
#include "support/testsupport.h"

#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

#ifdef Q_OS_LINUX
#include <sys/stat.h>
#include <unistd.h>
#endif

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
        const std::unique_ptr<QSettings> settings = OpenSettings(QString::fromLatin1(SettingsSection));
        settings->remove(QStringLiteral("SerialDeviceMap"));
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
        QCOMPARE(dialog.height(), 80);
        QVERIFY(dialog.width() >= 165);
        auto *box = findControl<QComboBox>(&dialog, QStringLiteral("ComPortBox"));
        QVERIFY(box->isEditable());  // a COM number nobody lists can be typed in
        // Each COM name comes first, then its device; the list is wide enough for every line.
        QStringList items;
        for (int i = 0; i < box->count(); ++i) {
            QVERIFY(box->width() >= box->fontMetrics().horizontalAdvance(box->itemText(i)));
            if (box->itemText(i).section(QLatin1Char(' '), 0, 0).mid(3).toInt() > 200) items << box->itemText(i);
        }
        QCOMPARE(items, QStringList({"COM201   /dev/null", "COM203   /dev/null", "COM204   /dev/null"}));
        QCOMPARE(box->currentText(), QStringLiteral("COM201   /dev/null"));
        auto *ok = findControl<QPushButton>(&dialog, QStringLiteral("OKButton"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        box->setCurrentIndex(box->findText(QStringLiteral("COM204 "), Qt::MatchStartsWith));
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

    void detailsNameTheAdapter()
    {
        using SerialDeviceMap::DetailsText;
        QCOMPARE(DetailsText("/dev/ttyUSB0", "FT232R USB UART", "FTDI"), QStringLiteral("/dev/ttyUSB0  FT232R USB UART (FTDI)"));
        QCOMPARE(DetailsText("/dev/ttyACM0", "Arduino Uno", "arduino"), QStringLiteral("/dev/ttyACM0  Arduino Uno"));
        QCOMPARE(DetailsText("/dev/ttyS0", "", ""), QStringLiteral("/dev/ttyS0"));
    }

    void permissionAdviceNamesTheGroup()
    {
        QTemporaryDir dir;
        const QString device = dir.filePath(QStringLiteral("ttyX"));
        QFile file(device);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(SerialDeviceMap::PermissionAdvice(device), QString());  // it opens: no advice
        QCOMPARE(SerialDeviceMap::PermissionAdvice(dir.filePath(QStringLiteral("none"))), QString());
#ifdef Q_OS_LINUX
        QVERIFY(::chmod(QFile::encodeName(device).constData(), 0) == 0);
        // The superuser passes every permission: ask as an ordinary user, as a technician would.
        const bool root = ::geteuid() == 0;
        if (root) QVERIFY(::seteuid(65534) == 0);
        const QString advice = SerialDeviceMap::PermissionAdvice(device);
        if (root) QVERIFY(::seteuid(0) == 0);
        QCOMPARE(advice, QStringLiteral("Permission denied, join group dialout"));
#endif
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
