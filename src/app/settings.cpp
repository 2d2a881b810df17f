#include "app/settings.h"

#include <QDir>
#include <QSettings>

namespace {
constexpr const char *Maker = SettingsMaker;
constexpr const char *Group = "Settings";

// The stored value; with `storeDefault`, the default is stored when there is none.
QString ReadValue(const QString &section, const QString &name, const QString &defaultValue, bool storeDefault)
{
    QSettings settings(QString::fromLatin1(Maker), section);
    settings.beginGroup(QString::fromLatin1(Group));
    if (settings.contains(name)) return settings.value(name).toString();
    if (storeDefault) {
        settings.setValue(name, defaultValue);
        settings.sync();
    }
    return defaultValue;
}

int ComPortOf(const QString &text)
{
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    return ok ? port : 1;
}

const QString DefaultComPort = QStringLiteral("1");
}  // namespace

QString ReadSetting(const QString &section, const QString &name, const QString &defaultValue)
{
    return ReadValue(section, name, defaultValue, true);
}

QString WriteSetting(const QString &section, const QString &name, const QString &value)
{
    QSettings settings(QString::fromLatin1(Maker), section);
    settings.beginGroup(QString::fromLatin1(Group));
    settings.setValue(name, value);
    settings.sync();
    if (settings.status() == QSettings::NoError) return {};
    return QStringLiteral("Settings not saved: cannot write %1").arg(QDir::toNativeSeparators(settings.fileName()));
}

int ReadComPortSetting()
{
    return ComPortOf(ReadSetting(QString::fromLatin1(SettingsSection), QString::fromLatin1(ComPortSetting), DefaultComPort));
}

int StoredComPortSetting()
{
    return ComPortOf(ReadValue(QString::fromLatin1(SettingsSection), QString::fromLatin1(ComPortSetting), DefaultComPort, false));
}

QString WriteComPortSetting(int port)
{
    return WriteSetting(QString::fromLatin1(SettingsSection), QString::fromLatin1(ComPortSetting), QString::number(port));
}

bool FirmwareBackupBeforeUpgrade()
{
    const QSettings settings(QString::fromLatin1(Maker), QString::fromLatin1(SettingsSection));
    return settings.value(QStringLiteral("Firmware/BackupBeforeUpgrade"), true).toBool();
}
