#include "frmWelcome.h"
#include "MessageBoxes.h"

#include "DisplayModes.h"
#include "Drives.h"
#include "FrameFiles.h"
#include "GameEngine.h"
#include "ProjectFiles.h"
#include "RunFromCd.h"
#include "SettingsStore.h"
#include "frmLoadGame.h"
#include "frmPlayerSettings.h"
#include "frmRunFromCD.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <utility>

namespace {

// Above this height in pixels the desktop font counts as large.
constexpr int kLargeFontPixels = 16;

} // namespace

frmWelcome::frmWelcome(const ProjectPaths &paths, const QString &schemesFolder, MediaBackend &media,
                       bool runningFromEditor, DisplayModes *modes, DriveProvider *drives,
                       QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_paths(paths), m_gamePaths(paths), m_schemesFolder(schemesFolder), m_media(media),
      m_fromEditor(runningFromEditor), m_modes(modes), m_drives(drives) {
    if (!m_modes) {
        m_ownModes = createSystemDisplayModes();
        m_modes = m_ownModes.get();
    }
    if (!m_drives) {
        m_ownDrives = createSystemDriveProvider();
        m_drives = m_ownDrives.get();
    }
    m_switch = std::make_unique<DisplaySwitch>(
        *m_modes,
        [] {
            QEventLoop loop;
            QTimer::singleShot(10, &loop, &QEventLoop::quit);
            loop.exec();
        },
        [this](const QString &message) { reportError(message); });

    setObjectName(QStringLiteral("frmWelcome"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_view = new TitleView(this);
    setFixedSize(m_view->sizeHint());
    connect(m_view, &TitleView::buttonClicked, this, &frmWelcome::ClickButton);
    connect(m_view, &TitleView::emailClicked, this, &frmWelcome::mailClicked);
    connect(m_view, &TitleView::homepageClicked, this, &frmWelcome::homepageClicked);
    connect(m_view, &TitleView::settingsClicked, this, [this] {
        setOnTop(false);
        frmPlayerSettings dialog(m_title.general.ProjectName, this);
        dialog.exec();
        setOnTop(true);
    });
    // The window has no title bar: it is dragged by its background and its texts.
    connect(m_view, &TitleView::dragStarted, this,
            [this] { m_dragStart = frameGeometry().topLeft(); });
    connect(m_view, &TitleView::dragged, this,
            [this](const QPoint &offset) { move(m_dragStart + offset); });
}

frmWelcome::~frmWelcome() = default;

void frmWelcome::setMessageAnswerer(MessageAnswerer answerer) {
    m_answerer = std::move(answerer);
    if (m_game)
        m_game->setMessageAnswerer(m_answerer);
}

EngineHost::Answer frmWelcome::ask(const QString &title, const QString &text, Status::Icon icon,
                                   EngineHost::Buttons buttons, bool defaultNo) {
    if (m_answerer)
        return m_answerer(title, text, icon, buttons);
    return showMessageBox(isVisible() ? this : nullptr, title, text, icon, buttons, defaultNo);
}

void frmWelcome::reportError(const QString &specificMessage) {
    const ErrorReport r = standardErrorReport(m_title.texts, specificMessage);
    ask(r.title, r.text, Status::Icon::Critical, EngineHost::Buttons::Ok);
}

bool frmWelcome::start() {
    centre();
    const QString general =
        ProjectFiles::existingVariant(m_paths.ConfigPath() + QStringLiteral("General"));
    if (!QFileInfo(general).isFile()) {
        // The question speaks the project's own wording when it has one.
        const CustomTexts texts = CustomTexts::load(
            ProjectFiles::existingVariant(m_paths.ConfigPath() + QStringLiteral("Texts")));
        const QString text = texts.text(33) + QLatin1Char(' ') + general + QStringLiteral("\n\n") +
                             texts.text(34) + QStringLiteral("\n\n") + texts.text(32);
        if (ask(texts.text(29), text, Status::Icon::Exclamation, EngineHost::Buttons::OkCancel) !=
            EngineHost::Answer::Ok) {
            finish();
            return false;
        }
    }
    // The display-switch line is hidden, and the switch never tried, when the display already
    // runs at 640 x 480 or has no such mode.
    const bool noSwitch = m_switch->isDisplay640x480() || !m_modes->offersSize(QSize(640, 480));
    m_title = TitleScreen::load(m_paths, m_schemesFolder, m_fromEditor, noSwitch);
    showTitle();
    if (!m_title.textsStatus)
        ask(QStringLiteral("Error"), QStringLiteral("Unable to load texts."),
            Status::Icon::Critical, EngineHost::Buttons::Ok);
    for (const QString &error : m_title.errors)
        reportError(error);
    if (!m_title.generalRead && !m_closed) {
        // Without its project information there is no game to offer: say so once, plainly,
        // and end rather than show a window with nothing to press.
        ask(m_title.texts.text(29),
            tr("There is no game to play in \"%1\": its project information (%2) is missing or "
               "damaged.\n\nThe player will now close.")
                .arg(QDir::toNativeSeparators(m_paths.root()),
                     QDir::toNativeSeparators(m_paths.ConfigPath() + QStringLiteral("General"))),
            Status::Icon::Critical, EngineHost::Buttons::Ok);
        m_noGame = true;
        finish();
    }
    if (m_closed)
        return false;
    show();
    raise();
    activateWindow();
    // The keyboard starts on the first button: Return starts the game, Tab goes on.
    for (int i = 0; i < 3; ++i) {
        if (QPushButton *b = m_view->shownButton(i)) {
            b->setFocus();
            break;
        }
    }
    return !m_closed;
}

void frmWelcome::showTitle() {
    m_view->setScreen(m_title, TwipScale());
    setFixedSize(m_view->sizeHint());
    setWindowTitle(m_title.title);
    centre();
    const QString stored =
        SettingsStore::GetSetting(QStringLiteral("Games"), m_title.general.ProjectName,
                                  QStringLiteral("ChangeResolution"), QStringLiteral("1"));
    resolutionCheck()->setChecked(stored.trimmed().toInt() != 0);
}

void frmWelcome::centre() {
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect area = s->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void frmWelcome::setOnTop(bool onTop) {
    m_released = !onTop;
    const Qt::WindowFlags flags = windowFlags();
    if (flags.testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const Qt::WindowFlags wanted = onTop ? flags | Qt::WindowStaysOnTopHint
                                         : flags & ~Qt::WindowFlags(Qt::WindowStaysOnTopHint);
    // Changed on the native window in place: going through setWindowFlags would hide it.
    overrideWindowFlags(wanted);
    if (QWindow *w = windowHandle())
        w->setFlags(wanted);
}

bool frmWelcome::largeFontsCheck() {
    if (m_fontsAccepted || m_asking)
        return true;
    if (QFontInfo(QApplication::font()).pixelSize() <= kLargeFontPixels)
        return true;
    m_asking = true;
    const EngineHost::Answer a =
        ask(QStringLiteral("!!!"),
            m_title.texts.text(40) + QStringLiteral("\n\n") + m_title.texts.text(41),
            Status::Icon::Exclamation, EngineHost::Buttons::YesNo, true);
    m_asking = false;
    if (a != EngineHost::Answer::Yes) {
        close();
        return false;
    }
    // Asked once: the answer holds for the rest of the session.
    m_fontsAccepted = true;
    return true;
}

void frmWelcome::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || m_closed)
        return;
    if (!largeFontsCheck())
        return;
    if (!m_released)
        setOnTop(true);
}

// --- buttons

bool frmWelcome::findCdData() {
    m_gamePaths = m_paths;
    if (m_fromEditor || (m_cdDrive.isEmpty() && !RunFromCd::isRunFromCd(m_paths.root())))
        return true;
    const QString title = m_title.general.SoftwareTitle;
    const QString drive = m_cdDrive.isEmpty() ? RunFromCd::readDrive(m_paths.root()) : m_cdDrive;
    QStringList folders = frmRunFromCD::dataFolders(drive, title);
    bool found = !drive.isEmpty() && QFileInfo(drive).isDir();
    for (const QString &f : folders)
        found = found && QFileInfo(f).isDir();
    if (!found) {
        setOnTop(false);
        frmRunFromCD dialog(m_paths.root(), title, m_title.texts, *m_drives, this);
        if (m_answerer)
            dialog.setMessageAnswerer(m_answerer);
        const int result = dialog.exec();
        if (dialog.cancelled() || result != QDialog::Accepted) {
            setOnTop(true);
            return false;
        }
        folders = dialog.chosenFolders();
        QCoreApplication::processEvents();
    }
    m_gamePaths.setDataFolders(folders.at(0), folders.at(1), folders.at(2));
    return true;
}

Game &frmWelcome::gameFor(const ProjectPaths &paths) {
    if (m_game) {
        const ProjectPaths &p = m_game->engine().paths();
        if (p.FramesPath() == paths.FramesPath() && p.AreasPath() == paths.AreasPath() &&
            p.IconsPath() == paths.IconsPath())
            return *m_game;
    }
    m_game = std::make_unique<Game>(paths, m_title.general, m_title.texts, m_media, m_gameMode);
    m_game->engine().setRunningFromEditor(m_fromEditor);
    if (m_answerer)
        m_game->setMessageAnswerer(m_answerer);
    connect(m_game.get(), &Game::gameWindowClosed, this, &frmWelcome::onGameWindowClosed);
    return *m_game;
}

bool frmWelcome::resolutionWanted() const {
    return !resolutionCheck()->isHidden() && resolutionCheck()->isChecked() &&
           qRound(m_title.general.ShowChangeResolution) == 1;
}

void frmWelcome::ClickButton(int index) {
    switch (index) {
    case 0:
        startGame();
        break;
    case 1:
        loadGame();
        break;
    case 2:
        close();
        break;
    default:
        break;
    }
}

void frmWelcome::startGame() {
    if (!findCdData())
        return;
    Game &game = gameFor(m_gamePaths);
    if (resolutionWanted()) {
        hide();
        m_switch->switchTo640x480();
    }
    game.engine().ResetAll();
    hide();
    game.engine().StartNewGame(std::exchange(m_startFrame, QString()));
    if (!returnWhenFrameMissing(game, false))
        game.showGameWindow();
}

bool frmWelcome::returnWhenFrameMissing(Game &game, bool loaded) {
    const QString frame = game.engine().currentFrame();
    const FrameFiles frames(game.engine().paths(), game.engine().general().SingleChannelAudio
                                                       ? SoundMode::SingleChannel
                                                       : SoundMode::MultiChannel);
    FrameProperties header;
    int areas = 0;
    if (!frame.isEmpty() && frames.exists(frame) && frames.readHeader(frame, header) &&
        frames.readAreaCount(frame, areas) && frames.readProperties(frame, header))
        return false;
    // The engine has said what failed; the game window would show an empty screen.
    game.engine().closeGame();
    const QString text =
        loaded
            ? tr("This saved game cannot be played: its frame \"%1\" cannot be opened.").arg(frame)
            : tr("The game cannot start: its first frame \"%1\" cannot be opened.").arg(frame);
    ask(m_title.texts.text(29), text + QStringLiteral("\n\n") + tr("Back to the title screen."),
        Status::Icon::Critical, EngineHost::Buttons::Ok);
    if (!isVisible())
        onGameWindowClosed();
    return true;
}

void frmWelcome::loadGame() {
    if (!findCdData())
        return;
    Game &game = gameFor(m_gamePaths);
    setOnTop(false);
    frmLoadGame dialog(game.engine(), this);
    dialog.LoadSaveGames();
    // The display switches before the saved game loads, so the game opens in its new mode.
    dialog.setBeforeLoad([this] {
        if (resolutionWanted()) {
            hide();
            m_switch->switchTo640x480();
        }
    });
    if (dialog.exec() == QDialog::Accepted && game.isVisible()) {
        hide();
        returnWhenFrameMissing(game, true);
        return;
    }
    setOnTop(true);
}

void frmWelcome::onGameWindowClosed() {
    m_switch->restore(qRound(m_title.general.ShowChangeResolution) == 1);
    show();
    setOnTop(true);
    raise();
    activateWindow();
}

// --- the texts

void frmWelcome::mailClicked() {
    const QString email = m_title.email.text;
    setOnTop(false);
    if (ask(m_title.general.SoftwareTitle,
            m_title.texts.text(13) + QLatin1Char(' ') + email + QStringLiteral(" ?"),
            Status::Icon::Question, EngineHost::Buttons::YesNo) == EngineHost::Answer::Yes) {
        QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + email));
        return;
    }
    setOnTop(true);
}

void frmWelcome::homepageClicked() {
    const QString site = m_title.homepage.text;
    setOnTop(false);
    if (ask(m_title.general.SoftwareTitle,
            m_title.texts.text(14) + QLatin1Char(' ') + site + QStringLiteral(" ? ") +
                m_title.texts.text(15),
            Status::Icon::Question, EngineHost::Buttons::YesNo) == EngineHost::Answer::Yes) {
        QDesktopServices::openUrl(QUrl::fromUserInput(site));
        return;
    }
    setOnTop(true);
}

void frmWelcome::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmWelcome::closeEvent(QCloseEvent *event) {
    event->accept();
    finish();
}

void frmWelcome::finish() {
    if (m_closed)
        return;
    m_closed = true;
    // Without the project information there is no project to keep the choice for.
    if (m_title.generalRead)
        SettingsStore::SaveSetting(QStringLiteral("Games"), m_title.general.ProjectName,
                                   QStringLiteral("ChangeResolution"),
                                   resolutionCheck()->isChecked() ? QStringLiteral("1")
                                                                  : QStringLiteral("0"));
    if (m_game)
        m_game->hide();
    emit closed();
    if (!m_fromEditor)
        QCoreApplication::quit();
}
