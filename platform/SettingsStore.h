#pragma once

#include <QString>
#include <QVariant>

// The per-user settings store: values by application name, section and key. Each application
// is an INI file under the user's configuration folder, each section a group in it.
namespace SettingsStore {

QString GetSetting(const QString &application, const QString &section, const QString &key,
                   const QString &defaultValue = QString());
void SaveSetting(const QString &application, const QString &section, const QString &key,
                 const QString &value);
void DeleteSetting(const QString &application, const QString &section,
                   const QString &key = QString());

// One string value under a key of the current user's registry hive (on Windows); elsewhere the
// same key and value name in Registry.ini beside the other settings, the key's parts as groups.
void SaveRegistryString(const QString &key, const QString &valueName, const QString &value);
QString GetRegistryString(const QString &key, const QString &valueName);

} // namespace SettingsStore
