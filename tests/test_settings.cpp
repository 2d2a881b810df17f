// The one persistent setting, the COM port number, and the file-name check.
#include "core/settings.h"
#include "core/usablefile.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunStoresDefault()
    {
        PrivateSettings store;
        QCOMPARE(ReadComPortSetting(), 1);
        const std::unique_ptr<QSettings> settings = OpenSettings(QString::fromLatin1(SettingsSection));
        QCOMPARE(settings->value(QStringLiteral("Settings/COM Port")).toString(), QStringLiteral("1"));
    }
    void badTextGivesPortOneAndStays()
    {
        PrivateSettings store;
        WriteSetting(QStringLiteral("QuarnTrim"), QStringLiteral("COM Port"), QStringLiteral("x7"));
        QCOMPARE(ReadComPortSetting(), 1);
        QCOMPARE(ReadSetting(QStringLiteral("QuarnTrim"), QStringLiteral("COM Port"), QStringLiteral("1")),
                 QStringLiteral("x7"));
    }
    void storedNumberIsUsed()
    {
        PrivateSettings store;
        QCOMPARE(WriteComPortSetting(12), QString());
        QCOMPARE(ReadComPortSetting(), 12);
    }
    void readingForACommandStoresNothing()
    {
        PrivateSettings store;
        QCOMPARE(StoredComPortSetting(), 1);
        QVERIFY(!OpenSettings(QString::fromLatin1(SettingsSection))->contains(QStringLiteral("Settings/COM Port")));
    }
    void unsavedSettingIsReported()
    {
        PrivateSettings store;
        // A folder where the settings file belongs: nothing can be written there.
        const QString file = OpenSettings(QString::fromLatin1(SettingsSection))->fileName();
        QVERIFY(QDir().mkpath(file));
        QCOMPARE(WriteComPortSetting(12), QStringLiteral("Settings not saved: cannot write ") + QDir::toNativeSeparators(file));
    }
    void usableFile()
    {
        QTemporaryDir dir;
        QString name = dir.filePath(QStringLiteral("a.joy"));
        QVERIFY(!UsableFile(name));
        QFile f(name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(UsableFile(name));
        QVERIFY(!UsableFile(dir.filePath(QStringLiteral("*.joy"))));
        QVERIFY(!UsableFile(dir.filePath(QStringLiteral("a?.joy"))));
    }
};

QTEST_MAIN(SettingsTest)
#include "test_settings.moc"
