#include "frmWelcome.h"
#include "MessageBoxes.h"

#include "DisplayModes.h"
#include "Drives.h"
#include "GameEngine.h"
#include "PictureLoader.h"
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
#include <QEventLoop>
#include <QFileInfo>
#include <QFontInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#ifndef QM_VERSION
#define QM_VERSION ""
#endif

namespace {

constexpr int kTwips = 15;
// Design-time places, in twips.
constexpr int kTitleTop = 240;
constexpr int kTitleHeight = 720;
constexpr int kLeft = 240;
constexpr int kValueLeft = 1440;
constexpr int kCheckWidth = 270;
constexpr int kLineHeight = 255;
// Above this height in pixels the desktop font counts as large.
constexpr int kLargeFontPixels = 16;

int px(int twips) {
    return twips / kTwips;
}

// Colours are stored as 0x00BBGGRR; the high bit marks a system colour, which keeps the
// style's own.
bool colourFromValue(qint32 value, QColor &out) {
    const quint32 v = static_cast<quint32>(value);
    if (v & 0x80000000u)
        return false;
    out = QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    return true;
}

void setTextColour(QWidget *w, qint32 value) {
    QColor c;
    if (!colourFromValue(value, c))
        return;
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    p.setColor(QPalette::Text, c);
    w->setPalette(p);
}

// A push button drawn as bare text or a bare picture, so that screen readers still see a button
// they can press.
QPushButton *flatButton(QWidget *parent, const QString &name) {
    auto *b = new QPushButton(parent);
    b->setObjectName(name);
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::NoFocus);
    b->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; "
                                    "padding: 0px; }"));
    return b;
}

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
    setAutoFillBackground(true);
    setFixedWidth(px(TitleScreen::Width));

    auto label = [this](const QString &name) {
        auto *l = new QLabel(this);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        l->installEventFilter(this);
        l->hide();
        return l;
    };
    m_txtAdventureName = label(QStringLiteral("txtAdventureName"));
    m_txtAdventureName->setAlignment(Qt::AlignCenter);
    m_txtAdventureName->setWordWrap(true);
    QFont big = m_txtAdventureName->font();
    big.setPointSize(16);
    big.setBold(true);
    m_txtAdventureName->setFont(big);
    m_txtVersion = label(QStringLiteral("txtVersion"));
    m_lblAuthor = label(QStringLiteral("lblAuthor"));
    m_txtAuthor = label(QStringLiteral("txtAuthor"));
    m_lblEmail = label(QStringLiteral("lblEmail"));
    m_txtEmail = label(QStringLiteral("txtEmail"));
    m_txtEmail->setCursor(Qt::PointingHandCursor);
    m_lblHomepage = label(QStringLiteral("lblHomepage"));
    m_txtHomepage = label(QStringLiteral("txtHomepage"));
    m_txtHomepage->setCursor(Qt::PointingHandCursor);
    m_lblResolution = label(QStringLiteral("lblResolution"));
    m_chkResolution = new QCheckBox(this);
    m_chkResolution->setObjectName(QStringLiteral("chkResolution"));
    m_chkResolution->setFocusPolicy(Qt::NoFocus);
    m_chkResolution->hide();

    for (int i = 0; i < 4; ++i) {
        m_img[i] = flatButton(this, QStringLiteral("Img%1").arg(i));
        m_img[i]->hide();
        if (i < 3)
            connect(m_img[i], &QPushButton::clicked, this, [this, i] { ClickButton(i); });
    }
    m_img[3]->setAccessibleName(tr("Background"));
    for (int i = 0; i < 3; ++i) {
        m_lblButton[i] = flatButton(this, QStringLiteral("lblButton%1").arg(i));
        QFont f = m_lblButton[i]->font();
        f.setPointSize(12);
        f.setBold(true);
        m_lblButton[i]->setFont(f);
        m_lblButton[i]->hide();
        connect(m_lblButton[i], &QPushButton::clicked, this, [this, i] { ClickButton(i); });
    }

    // The credits panel: a small "i" opens it, BACK closes it.
    m_info = flatButton(this, QStringLiteral("imgCredits"));
    m_info->setText(QStringLiteral("i"));
    m_info->setAccessibleName(tr("About Quillmoor"));
    QFont infoFont = m_info->font();
    infoFont.setItalic(true);
    infoFont.setBold(true);
    m_info->setFont(infoFont);
    m_credits = new QFrame(this);
    m_credits->setObjectName(QStringLiteral("Credits"));
    m_credits->setFrameShape(QFrame::Box);
    m_credits->setAutoFillBackground(true);
    QPalette creditsPalette = m_credits->palette();
    creditsPalette.setColor(QPalette::Window, QColor(16, 24, 32));
    creditsPalette.setColor(QPalette::WindowText, QColor(230, 220, 190));
    creditsPalette.setColor(QPalette::ButtonText, QColor(230, 220, 190));
    m_credits->setPalette(creditsPalette);
    auto *creditsText =
        new QLabel(tr("Made with Quillmoor %1\n\nan authoring tool for point-and-click games")
                       .arg(QStringLiteral(QM_VERSION)),
                   m_credits);
    creditsText->setObjectName(QStringLiteral("lblCredits"));
    creditsText->setAlignment(Qt::AlignCenter);
    creditsText->setWordWrap(true);
    auto *back = flatButton(m_credits, QStringLiteral("lblBack"));
    back->setText(tr("BACK"));
    auto *creditsLayout = new QVBoxLayout(m_credits);
    creditsLayout->addStretch();
    creditsLayout->addWidget(creditsText);
    creditsLayout->addStretch();
    creditsLayout->addWidget(back, 0, Qt::AlignHCenter);
    m_credits->hide();
    connect(m_info, &QPushButton::clicked, this, [this] {
        m_credits->setGeometry(rect());
        m_credits->show();
        m_credits->raise();
    });
    connect(back, &QPushButton::clicked, m_credits, &QWidget::hide);

    m_playerSettings = flatButton(this, QStringLiteral("cmdPlayerSettings"));
    m_playerSettings->setText(tr("Settings"));
    m_playerSettings->setAccessibleName(tr("Player settings"));
    connect(m_playerSettings, &QPushButton::clicked, this, [this] {
        setOnTop(false);
        frmPlayerSettings dialog(m_title.general.ProjectName, this);
        dialog.exec();
        setOnTop(true);
    });

    installEventFilter(this);
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
    resize(px(TitleScreen::Width), px(m_title.innerHeight));
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
    if (m_closed)
        return false;
    show();
    raise();
    activateWindow();
    return !m_closed;
}

void frmWelcome::showTitle() {
    const TitleScreen &t = m_title;
    const int width = px(TitleScreen::Width);
    setFixedSize(width, px(t.innerHeight));
    setWindowTitle(t.title);
    centre();

    m_txtAdventureName->setText(t.title);
    m_txtAdventureName->setGeometry(0, px(kTitleTop), width, px(kTitleHeight));
    m_txtAdventureName->setVisible(!t.titleHidden);

    auto placeLine = [&](QLabel *label, QLabel *value, const TitleScreen::Line &line) {
        if (label) {
            label->setText(line.label);
            label->setGeometry(px(kLeft), px(line.top), px(kValueLeft - kLeft), px(kLineHeight));
            label->setVisible(line.shown);
        }
        const int left = label ? kValueLeft : kLeft;
        value->setText(line.text);
        value->setGeometry(px(left), px(line.top), width - px(left) - px(kLeft), px(kLineHeight));
        value->setVisible(line.shown);
    };
    placeLine(nullptr, m_txtVersion, t.version);
    placeLine(m_lblAuthor, m_txtAuthor, t.author);
    placeLine(m_lblEmail, m_txtEmail, t.email);
    placeLine(m_lblHomepage, m_txtHomepage, t.homepage);

    m_lblResolution->setText(t.resolutionLabel);
    m_chkResolution->setAccessibleName(t.resolutionLabel);
    m_chkResolution->setGeometry(px(kLeft), px(t.resolutionCheckTop), px(kCheckWidth),
                                 px(kLineHeight) - 2);
    m_lblResolution->setGeometry(px(kLeft + kCheckWidth), px(t.resolutionLabelTop),
                                 width - px(kLeft + kCheckWidth) - px(kLeft), px(kLineHeight));
    m_chkResolution->setVisible(t.resolutionShown);
    m_lblResolution->setVisible(t.resolutionShown);
    const QString stored =
        SettingsStore::GetSetting(QStringLiteral("Games"), t.general.ProjectName,
                                  QStringLiteral("ChangeResolution"), QStringLiteral("1"));
    m_chkResolution->setChecked(stored.trimmed().toInt() != 0);

    // Picture buttons stand where the text buttons were designed; HideLoad moves only the
    // Exit text.
    const int designTops[3] = {TitleScreen::StartTop, TitleScreen::LoadTop, TitleScreen::ExitTop};
    for (int i = 0; i < 3; ++i) {
        const TitleScreen::Button &b = t.buttons[i];
        QImage picture;
        if (b.pictureShown)
            picture = PictureLoader::load(b.picture);
        // A picture that cannot be drawn leaves its text button.
        const bool pictureShown = !picture.isNull();
        const bool textShown = b.textShown || (b.pictureShown && !pictureShown);
        QPushButton *img = m_img[i];
        img->setAccessibleName(b.caption);
        img->setToolTip(b.caption);
        if (pictureShown) {
            img->setIcon(QPixmap::fromImage(picture));
            img->setIconSize(picture.size());
            img->setGeometry((width - picture.width()) / 2, px(designTops[i]), picture.width(),
                             picture.height());
        }
        img->setVisible(pictureShown);

        QPushButton *text = m_lblButton[i];
        text->setText(b.caption);
        text->setAccessibleName(b.caption);
        text->adjustSize();
        text->move((width - text->width()) / 2, px(b.textTop));
        text->setVisible(textShown);
    }
    m_img[3]->hide();
    m_tile = t.tile.isEmpty() ? QImage() : PictureLoader::load(t.tile);

    if (t.coloursSet) {
        QColor c;
        if (colourFromValue(t.backgroundColour, c)) {
            QPalette p = palette();
            p.setColor(QPalette::Window, c);
            setPalette(p);
        }
        setTextColour(m_txtAdventureName, t.titleColour);
        for (QWidget *w :
             {static_cast<QWidget *>(m_lblResolution), static_cast<QWidget *>(m_chkResolution),
              static_cast<QWidget *>(m_txtVersion), static_cast<QWidget *>(m_lblAuthor),
              static_cast<QWidget *>(m_lblEmail), static_cast<QWidget *>(m_lblHomepage),
              static_cast<QWidget *>(m_txtAuthor), static_cast<QWidget *>(m_txtEmail),
              static_cast<QWidget *>(m_txtHomepage)})
            setTextColour(w, t.textsColour);
    }
    if (t.buttonsColourSet) {
        QColor c;
        if (colourFromValue(t.buttonsColour, c)) {
            for (QPushButton *b : m_lblButton)
                b->setStyleSheet(QStringLiteral("QPushButton { border: none; background: "
                                                "transparent; padding: 0px; color: %1; }")
                                     .arg(c.name()));
        }
    }
    m_info->setGeometry(width - 20, height() - 20, 16, 16);
    m_info->raise();
    m_playerSettings->adjustSize();
    m_playerSettings->move(width - m_playerSettings->width() - 6, 2);
    m_playerSettings->raise();
    update();
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
    if (m_fromEditor || !RunFromCd::isRunFromCd(m_paths.root()))
        return true;
    const QString title = m_title.general.SoftwareTitle;
    const QString drive = RunFromCd::readDrive(m_paths.root());
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
    return !m_chkResolution->isHidden() && m_chkResolution->isChecked() &&
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
    game.engine().StartNewGame();
    game.showGameWindow();
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
    const QString email = m_txtEmail->text();
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
    const QString site = m_txtHomepage->text();
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

bool frmWelcome::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::LeftButton) {
            m_pressed = true;
            m_dragging = false;
            m_pressPos = e->globalPosition().toPoint();
            m_dragOffset = m_pressPos - frameGeometry().topLeft();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (!m_pressed || !(e->buttons() & Qt::LeftButton))
            break;
        const QPoint at = e->globalPosition().toPoint();
        if (!m_dragging && (at - m_pressPos).manhattanLength() >= QApplication::startDragDistance())
            m_dragging = true;
        if (m_dragging)
            move(at - m_dragOffset);
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() != Qt::LeftButton || !m_pressed)
            break;
        const bool click = !m_dragging;
        m_pressed = false;
        m_dragging = false;
        if (!click)
            break;
        if (watched == m_lblResolution)
            m_chkResolution->toggle();
        else if (watched == m_txtEmail)
            mailClicked();
        else if (watched == m_txtHomepage)
            homepageClicked();
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmWelcome::paintEvent(QPaintEvent *event) {
    QWidget::paintEvent(event);
    if (m_tile.isNull())
        return;
    QPainter p(this);
    p.drawTiledPixmap(rect(), QPixmap::fromImage(m_tile));
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
    SettingsStore::SaveSetting(
        QStringLiteral("Games"), m_title.general.ProjectName, QStringLiteral("ChangeResolution"),
        m_chkResolution->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    if (m_game)
        m_game->hide();
    emit closed();
    if (!m_fromEditor)
        QCoreApplication::quit();
}
