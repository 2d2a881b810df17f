#include "app/settings.h"

#include <QSettings>

namespace {
constexpr const char *Maker = SettingsMaker;
constexpr const char *Group = "Settings";
}  // namespace

QString ReadSetting(const QString &section, const QString &name, const QString &defaultValue)
{
    QSettings settings(QString::fromLatin1(Maker), section);
    settings.beginGroup(QString::fromLatin1(Group));
    if (settings.contains(name)) return settings.value(name).toString();
    settings.setValue(name, defaultValue);
    settings.sync();
    return defaultValue;
}

void WriteSetting(const QString &section, const QString &name, const QString &value)
{
    QSettings settings(QString::fromLatin1(Maker), section);
    settings.beginGroup(QString::fromLatin1(Group));
    settings.setValue(name, value);
    settings.sync();
}

int ReadComPortSetting()
{
    bool ok = false;
    int port = ReadSetting(QString::fromLatin1(SettingsSection), QString::fromLatin1(ComPortSetting),
                           QStringLiteral("1"))
                   .trimmed()
                   .toInt(&ok);
    return ok ? port : 1;
}

void WriteComPortSetting(int port)
{
    WriteSetting(QString::fromLatin1(SettingsSection), QString::fromLatin1(ComPortSetting),
                 QString::number(port));
}

bool FirmwareBackupBeforeUpgrade()
{
    const QSettings settings(QString::fromLatin1(Maker), QString::fromLatin1(SettingsSection));
    return settings.value(QStringLiteral("Firmware/BackupBeforeUpgrade"), true).toBool();
}
