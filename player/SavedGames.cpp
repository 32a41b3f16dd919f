// Saving, listing, removing and loading saved games.

#include "GameEngine.h"
#include "MediaPlayers.h"
#include "NameRules.h"
#include "SavedGameFile.h"
#include "SavedGameFolder.h"
#include "UserDataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString forbiddenCharacters() {
    return NameRules::forbiddenCharactersForDisplay();
}

} // namespace

void GameEngine::adoptOlderSavedGames() {
    const QString older =
        UserDataFolder::olderSavedGamesFolder(m_paths.root(), m_general.ProjectName);
    if (older.isEmpty())
        return;
    const QStringList names = QDir(older).entryList({QStringLiteral("*.sav")}, QDir::Files);
    if (names.isEmpty() || !UserDataFolder::make(m_savesFolder))
        return;
    for (const QString &name : names) {
        if (!QFileInfo::exists(m_savesFolder + name))
            QFile::rename(older + name, m_savesFolder + name);
    }
}

QStringList GameEngine::LoadSaveGames() const {
    return SavedGames::list(m_savesFolder);
}

bool GameEngine::saveGame(const QString &name) {
    if (!NameRules::isValidName(name)) {
        m_host.messageBox(m_general.SoftwareTitle,
                          m_texts.text(35) + QLatin1Char('\n') + forbiddenCharacters(),
                          Status::Icon::Information, EngineHost::Buttons::Ok);
        return false;
    }
    if (name.isEmpty()) {
        m_host.messageBox(m_texts.text(21), m_texts.text(23), Status::Icon::Information,
                          EngineHost::Buttons::Ok);
        return false;
    }
    const SavedGameFolder folder(m_savesFolder);
    const QString path = folder.shownPath(name);
    if (QFileInfo::exists(folder.path(name)) &&
        m_host.messageBox(
            m_texts.text(21), QLatin1Char('\'') + name + QStringLiteral("' ") + m_texts.text(24),
            Status::Icon::Question, EngineHost::Buttons::OkCancel) != EngineHost::Answer::Ok)
        return false;
    SavedGameFile g;
    g.SavedFrame = m_scene.frame;
    for (const ClassVariable &v : m_vars.Variables)
        g.Variables.append({v.Name, v.Value});
    for (const ClassVariable &d : m_vars.Disappear)
        g.Disappear.append({d.Name, d.Value});
    for (const InventorySlot &s : m_scene.inventory)
        g.Items.append(s.name);
    g.History = m_history;
    g.HasHistory = true;
    // An installed game's folder under the user's data folder is made on the first save.
    const Status written = UserDataFolder::make(m_savesFolder)
                               ? writeSavedGame(folder.path(name), g)
                               : Status::failure(QString());
    if (!written) {
        // The system's reason ("No space left on device") follows, so the player knows which of
        // the causes named is the one.
        reportError(
            QStringLiteral(" Unable to save '") + path +
            QStringLiteral("'.\nVerify that this file is not Read-Only and that it does not "
                           "contain any of the following characters: ") +
            forbiddenCharacters() +
            (written.detail().isEmpty() ? QString() : QStringLiteral("\n\n") + written.detail()));
        return false;
    }
    return true;
}

bool GameEngine::removeSavedGame(const QString &name) {
    if (name.isEmpty()) {
        m_host.messageBox(m_texts.text(26), m_texts.text(9), Status::Icon::Information,
                          EngineHost::Buttons::Ok);
        return false;
    }
    SavedGameFolder folder(m_savesFolder);
    const QString path = folder.shownPath(name);
    if (m_host.messageBox(
            m_texts.text(26), m_texts.text(27) + QStringLiteral(" '") + path + QStringLiteral("'?"),
            Status::Icon::Question, EngineHost::Buttons::OkCancel) != EngineHost::Answer::Ok)
        return false;
    if (!folder.remove(name))
        reportError(folder.status().text());
    return true;
}

bool GameEngine::loadSavedGame(const QString &name) {
    if (name.isEmpty()) {
        m_host.messageBox(m_texts.text(17), m_texts.text(9), Status::Icon::Information,
                          EngineHost::Buttons::Ok);
        return false;
    }
    ResetAll();
    m_vars.LoadVariables(m_paths, *this);
    const SavedGameFolder folder(m_savesFolder);
    const QString path = folder.shownPath(name);
    SavedGameFile g;
    // A saved game in the project that is a link out of it is missing.
    const bool inProject = m_savesFolder == withTrailingSeparator(m_paths.root());
    const QString file = folder.path(name).isEmpty() ? QString()
                         : inProject ? m_paths.rootFile(name + QStringLiteral(".sav"))
                                     : folder.path(name);
    const Status s =
        file.isEmpty() ? Status::failure(QStringLiteral("bad name")) : readSavedGame(file, g);
    // What was read before an error is applied: a partly loaded game stays as it is.
    for (const auto &v : g.Variables)
        m_vars.ChangeVariableValue(v.first, static_cast<qint16>(v.second));
    for (const auto &d : g.Disappear)
        m_vars.Disappear.Add(d.first, static_cast<qint16>(d.second));
    for (const QString &item : g.Items)
        AddPickedObject(item);
    if (g.HasHistory) {
        m_history = g.History;
    }
    if (!s) {
        reportError(QStringLiteral(" Unable to load '") + path + QStringLiteral("'."));
        return true;
    }
    OpenFrame(g.SavedFrame);
    m_host.processEvents();
    showGameWindow();
    return true;
}
