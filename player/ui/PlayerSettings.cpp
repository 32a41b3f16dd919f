#include "PlayerSettings.h"

#include "SettingsStore.h"

#include <QtMath>

namespace {

const QString kApplication = QStringLiteral("Games");

int storedNumber(const QString &section, const QString &key, int lowest, int highest,
                 int fallback) {
    bool ok = false;
    const int v = SettingsStore::GetSetting(kApplication, section, key).trimmed().toInt(&ok);
    return ok && v >= lowest && v <= highest ? v : fallback;
}

} // namespace

PlayerSettings PlayerSettings::load(const QString &projectName) {
    PlayerSettings s;
    s.scaling = static_cast<Scaling>(
        storedNumber(projectName, QStringLiteral("Scaling"), 0, 2, int(Scaling::Smooth)));
    s.musicVolume = storedNumber(projectName, QStringLiteral("MusicVolume"), 0, 100, 100);
    s.soundVolume = storedNumber(projectName, QStringLiteral("SoundVolume"), 0, 100, 100);
    s.messageSpeed = static_cast<MessageSpeed>(
        storedNumber(projectName, QStringLiteral("MessageSpeed"), 0, 2, int(MessageSpeed::Normal)));
    return s;
}

void PlayerSettings::save(const QString &projectName) const {
    SettingsStore::SaveSetting(kApplication, projectName, QStringLiteral("Scaling"),
                               QString::number(int(scaling)));
    SettingsStore::SaveSetting(kApplication, projectName, QStringLiteral("MusicVolume"),
                               QString::number(musicVolume));
    SettingsStore::SaveSetting(kApplication, projectName, QStringLiteral("SoundVolume"),
                               QString::number(soundVolume));
    SettingsStore::SaveSetting(kApplication, projectName, QStringLiteral("MessageSpeed"),
                               QString::number(int(messageSpeed)));
}

int PlayerSettings::messageTime(int milliseconds) const {
    switch (messageSpeed) {
    case MessageSpeed::Slow:
        return qRound(milliseconds * 1.6);
    case MessageSpeed::Fast:
        return qRound(milliseconds * 0.6);
    case MessageSpeed::Normal:
        break;
    }
    return milliseconds;
}
