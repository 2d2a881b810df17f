#include "core/settings.h"

#include <QDir>
#include <QSettings>

namespace {
constexpr const char *Maker = SettingsMaker;
constexpr const char *Group = "Settings";

// The stored value; with `storeDefault`, the default is stored when there is none.
QString ReadValue(const QString &section, const QString &name, const QString &defaultValue, bool storeDefault)
{
    const std::unique_ptr<QSettings> settings = OpenSettings(section);
    settings->beginGroup(QString::fromLatin1(Group));
    if (settings->contains(name)) return settings->value(name).toString();
    if (storeDefault) {
        settings->setValue(name, defaultValue);
        settings->sync();
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

std::unique_ptr<QSettings> OpenSettings(const QString &section)
{
    return std::make_unique<QSettings>(QSettings::defaultFormat(), QSettings::UserScope, QString::fromLatin1(Maker),
                                       section);
}

QString ReadSetting(const QString &section, const QString &name, const QString &defaultValue)
{
    return ReadValue(section, name, defaultValue, true);
}

QString WriteSetting(const QString &section, const QString &name, const QString &value)
{
    const std::unique_ptr<QSettings> settings = OpenSettings(section);
    settings->beginGroup(QString::fromLatin1(Group));
    settings->setValue(name, value);
    settings->sync();
    if (settings->status() == QSettings::NoError) return {};
    return QStringLiteral("Settings not saved: cannot write %1").arg(QDir::toNativeSeparators(settings->fileName()));
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
    return OpenSettings(QString::fromLatin1(SettingsSection))->value(QStringLiteral("Firmware/BackupBeforeUpgrade"), true).toBool();
}
