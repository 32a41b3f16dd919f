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

} // namespace SettingsStore
