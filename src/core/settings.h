#pragma once
// The one persistent setting lives under Halvern/<section>/Settings (the registry key
// HKCU\Software\Halvern\<section>\Settings on Windows, an INI file under XDG_CONFIG_HOME elsewhere).
#include <QSettings>
#include <QString>

#include <memory>

// Returns the stored value, or stores and returns the default when there is none.
QString ReadSetting(const QString &section, const QString &name, const QString &defaultValue);
// Stores `value`; "" when the settings file took it, else the line that says it did not.
QString WriteSetting(const QString &section, const QString &name, const QString &value);

// The maker's name: the settings file's and the user data folder's first level.
inline constexpr const char *SettingsMaker = "Halvern";

// The user's settings of `section` under the maker. Their format is the toolkit's default one:
// the registry on Windows and an INI file elsewhere, unless a test has moved every store into a
// folder of its own by changing that default.
std::unique_ptr<QSettings> OpenSettings(const QString &section);

// The COM port setting: "COM Port" under the "QuarnTrim" section. A text that is not a whole
// number gives port 1 and stays stored as it is.
inline constexpr const char *SettingsSection = "QuarnTrim";
inline constexpr const char *ComPortSetting = "COM Port";
int ReadComPortSetting();
// The same without storing the default: for programs that only read the setting.
int StoredComPortSetting();
// "" when stored, else the line that says it was not.
QString WriteComPortSetting(int port);

// Whether a firmware upgrade first keeps a copy of the firmware it replaces: the value
// "Firmware/BackupBeforeUpgrade" of the "QuarnTrim" settings, true when absent.
bool FirmwareBackupBeforeUpgrade();
