#pragma once
// The one persistent setting lives under Halvern/<section>/Settings (the registry key
// HKCU\Software\Halvern\<section>\Settings on Windows, an INI file under XDG_CONFIG_HOME elsewhere).
#include <QString>

// Returns the stored value, or stores and returns the default when there is none.
QString ReadSetting(const QString &section, const QString &name, const QString &defaultValue);
void WriteSetting(const QString &section, const QString &name, const QString &value);

// The maker's name: the settings file's and the user data folder's first level.
inline constexpr const char *SettingsMaker = "Halvern";

// The COM port setting: "COM Port" under the "QuarnTrim" section. A text that is not a whole
// number gives port 1 and stays stored as it is.
inline constexpr const char *SettingsSection = "QuarnTrim";
inline constexpr const char *ComPortSetting = "COM Port";
int ReadComPortSetting();
void WriteComPortSetting(int port);

// Whether a firmware upgrade first keeps a copy of the firmware it replaces: the value
// "Firmware/BackupBeforeUpgrade" of the "QuarnTrim" settings, true when absent.
bool FirmwareBackupBeforeUpgrade();
