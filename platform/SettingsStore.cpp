#include "SettingsStore.h"

#include <QSettings>
#include <QStandardPaths>

namespace {

QSettings open(const QString &application) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QSettings(folder + QStringLiteral("/Quillmoor/") + application + QStringLiteral(".ini"),
                     QSettings::IniFormat);
}

// The registry key as a settings path: its parts become nested groups.
QString registryGroup(const QString &key) {
    QString k = key;
    return k.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QSettings openRegistry() {
#ifdef Q_OS_WIN
    return QSettings(QStringLiteral("HKEY_CURRENT_USER"), QSettings::NativeFormat);
#else
    return open(QStringLiteral("Registry"));
#endif
}

} // namespace

namespace SettingsStore {

void SaveRegistryString(const QString &key, const QString &valueName, const QString &value) {
    QSettings s = openRegistry();
    s.beginGroup(registryGroup(key));
    s.setValue(valueName, value);
}

QString GetRegistryString(const QString &key, const QString &valueName) {
    QSettings s = openRegistry();
    s.beginGroup(registryGroup(key));
    return s.value(valueName).toString();
}

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
