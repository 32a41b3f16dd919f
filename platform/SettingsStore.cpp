#include "SettingsStore.h"

#include <QSettings>
#include <QStandardPaths>

namespace {

QSettings open(const QString &application) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QSettings(folder + QStringLiteral("/Quillmoor/") + application + QStringLiteral(".ini"),
                     QSettings::IniFormat);
}

} // namespace

namespace SettingsStore {

QString GetSetting(const QString &application, const QString &section, const QString &key,
                   const QString &defaultValue) {
    QSettings s = open(application);
    s.beginGroup(section);
    return s.value(key, defaultValue).toString();
}

void SaveSetting(const QString &application, const QString &section, const QString &key,
                 const QString &value) {
    QSettings s = open(application);
    s.beginGroup(section);
    s.setValue(key, value);
}

void DeleteSetting(const QString &application, const QString &section, const QString &key) {
    QSettings s = open(application);
    s.beginGroup(section);
    if (key.isEmpty())
        s.remove(QString());
    else
        s.remove(key);
}

} // namespace SettingsStore
