#include "Game.h"

#include "MessageBoxes.h"

#include "AreaWidget.h"
#include "CustomTexts.h"
#include "GameEngine.h"
#include "GeneralInfo.h"
#include "MediaBackend.h"
#include "PickedObject.h"
#include "PictureBox.h"
#include "ProjectPaths.h"
#include "TextLabelFont.h"
#include "frmSaveGame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>

#include <cmath>

namespace {

// How long one pass of the engine's wait loops may sleep waiting for events.
constexpr int kEventWaitMs = 10;
// The message strip is this much taller than its label (525 twips).
constexpr int kMessageMargin = 525 / 15;
constexpr double kMessagePoints = 12;

// Colours are stored as 0x00BBGGRR; the high bit marks a system colour (its index in the low
// byte), which gets the classic desktop scheme.
QColor colorFromValue(qint32 value) {
    const quint32 v = static_cast<quint32>(value);
    if (v & 0x80000000u) {
        switch (v & 0xFFu) {
        case 5:  // window
        case 14: // highlight text
        case 20: // 3D highlight
            return Qt::white;
        case 4:  // menu
        case 15: // button face
            return QColor(192, 192, 192);
        case 16: // button shadow
        case 17: // grey text
            return QColor(128, 128, 128);
        case 13: // highlight
            return QColor(0, 0, 128);
        case 24: // tooltip background
            return QColor(255, 255, 225);
        default: // window, menu and button text, desktop, frames
            return Qt::black;
        }
    }
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

bool sameLabel(const TextLabel &a, const TextLabel &b) {
    return a.Caption == b.Caption && a.Left == b.Left && a.Top == b.Top &&
           a.FontBold == b.FontBold && a.FontItalic == b.FontItalic && a.FontName == b.FontName &&
           a.FontSize == b.FontSize && a.FontStrikethru == b.FontStrikethru &&
           a.FontUnderline == b.FontUnderline && a.ForeColor == b.ForeColor;
}

bool sameTexts(const QList<SceneText> &a, const QList<SceneText> &b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].file != b[i].file || !sameLabel(a[i].label, b[i].label))
            return false;
    }
    return true;
}

// The menu bar is drawn in its own colours, readable over any frame, with the entry under the
// pointer highlighted.
const char *const kMenuBarStyle =
    "QMenuBar { background-color: #1c1c1c; color: #f2f2f2; border-bottom: 1px solid #9a9a9a; }"
    "QMenuBar::item { background: transparent; color: #f2f2f2; padding: 4px 14px; }"
    "QMenuBar::item:selected { background-color: #2f62a8; color: #ffffff; }"
    "QMenuBar::item:pressed { background-color: #244e88; color: #ffffff; }";

} // namespace

Game::Game(const ProjectPaths &paths, const GeneralInfo &general, const CustomTexts &texts,
           MediaBackend &media, WindowMode mode, QWidget *parent)
    : QWidget(parent), m_mode(mode), m_media(media) {
    // Videos paint into native child windows; their siblings (transparent areas, texts) must
    // stay alien or they would lose their transparency.
    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    setObjectName(QStringLiteral("Game"));
    setWindowTitle(general.SoftwareTitle.isEmpty() ? general.ProjectName : general.SoftwareTitle);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    m_pictureBox = new PictureBox(this);
    connect(m_pictureBox, &PictureBox::pressed, this,
            [this](int button) { m_engine->backgroundPressed(button); });

    m_messageFrame = new QFrame(m_pictureBox);
    m_messageFrame->setObjectName(QStringLiteral("FrameMessageBox"));
    m_messageFrame->setFrameShape(QFrame::Box);
    m_messageFrame->setAutoFillBackground(true);
    QPalette strip = m_messageFrame->palette();
    strip.setColor(QPalette::Window, QColor(24, 24, 24));
    strip.setColor(QPalette::WindowText, QColor(160, 160, 160));
    m_messageFrame->setPalette(strip);
    m_messageLabel = new QLabel(m_messageFrame);
    m_messageLabel->setObjectName(QStringLiteral("LabelMessageBox"));
    m_messageLabel->setTextFormat(Qt::PlainText);
    QPalette white = m_messageLabel->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_messageLabel->setPalette(white);
    QFont messageFont = m_messageLabel->font();
    messageFont.setPointSizeF(kMessagePoints);
    messageFont.setBold(true);
    m_messageLabel->setFont(messageFont);
    m_messageFrame->installEventFilter(this);
    m_messageLabel->installEventFilter(this);
    m_messageFrame->hide();

    m_cutScene = new QWidget(m_pictureBox);
    m_cutScene->setObjectName(QStringLiteral("CutSceneArea"));
    m_cutScene->setAccessibleName(tr("Video"));
    m_cutScene->setPalette(black);
    m_cutScene->setAutoFillBackground(true);
    m_cutScene->installEventFilter(this);
    m_cutScene->hide();

    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("MenuBar"));
    m_menuBar->setAccessibleName(tr("Game menu"));
    m_menuBar->setNativeMenuBar(false);
    m_menuBar->setStyleSheet(QString::fromLatin1(kMenuBarStyle));
    // It lies over the play area, which may hold native video windows: it needs a window of
    // its own to stay above them.
    m_menuBar->setAttribute(Qt::WA_NativeWindow);
    m_mnuExit = m_menuBar->addAction(texts.text(12).isEmpty() ? tr("Exit") : texts.text(12));
    m_mnuExit->setObjectName(QStringLiteral("mnuExit"));
    m_mnuSaveGame = m_menuBar->addAction(texts.text(8).isEmpty() ? tr("Save game") : texts.text(8));
    m_mnuSaveGame->setObjectName(QStringLiteral("mnuSaveGame"));
    connect(m_mnuExit, &QAction::triggered, this, [this] { m_engine->exitRequested(); });
    connect(m_mnuSaveGame, &QAction::triggered, this, &Game::openSaveDialog);
    m_menuBar->hide();

    connect(&m_frameTimer, &QTimer::timeout, this,
            [this] { m_engine->timerElapsed(EngineTimer::Frame); });
    connect(&m_messageTimer, &QTimer::timeout, this,
            [this] { m_engine->timerElapsed(EngineTimer::Message); });
    connect(&m_mp3Timer, &QTimer::timeout, this,
            [this] { m_engine->timerElapsed(EngineTimer::Mp3); });

    m_engine = std::make_unique<GameEngine>(paths, general, texts, media, *this);
    sceneChanged();
}

Game::~Game() {
    m_frameTimer.stop();
    m_messageTimer.stop();
    m_mp3Timer.stop();
    m_engine.reset();
}

AreaWidget *Game::area(int n) const {
    return n >= 1 && n <= m_areaCount ? m_areas[n - 1] : nullptr;
}

PickedObject *Game::inventorySlot(int k) const {
    return k >= 1 && k <= m_slotCount ? m_slots[k - 1] : nullptr;
}

QList<QLabel *> Game::texts() const {
    return m_texts.mid(0, m_textCount);
}

// --- EngineHost

void Game::showErrorReport(const ErrorReport &report) {
    messageBox(report.title, report.text, Status::Icon::Critical, Buttons::Ok);
}

EngineHost::Answer Game::messageBox(const QString &title, const QString &text, Status::Icon icon,
                                    Buttons buttons) {
    if (m_answerer)
        return m_answerer(title, text, icon, buttons);
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent && isVisible())
        parent = this;
    return showMessageBox(parent, title, text, icon, buttons);
}

void Game::processEvents() {
    // Events run as they come; without any, the wait ends after a short sleep, so the engine's
    // loops re-test their condition without spinning the processor.
    QEventLoop loop;
    QTimer::singleShot(kEventWaitMs, &loop, &QEventLoop::quit);
    loop.exec();
}

QTimer &Game::timerFor(EngineTimer timer) {
    switch (timer) {
    case EngineTimer::Message:
        return m_messageTimer;
    case EngineTimer::Mp3:
        return m_mp3Timer;
    case EngineTimer::Frame:
        break;
    }
    return m_frameTimer;
}

void Game::startTimer(EngineTimer timer, int intervalMs) {
    QTimer &t = timerFor(timer);
    if (intervalMs <= 0) {
        t.stop();
        return;
    }
    // Messages stay as long as the player chose to have them read.
    t.start(timer == EngineTimer::Message ? qMax(1, m_settings.messageTime(intervalMs))
                                          : intervalMs);
}

void Game::stopTimer(EngineTimer timer) {
    timerFor(timer).stop();
}

quintptr Game::playAreaWindow() {
    return static_cast<quintptr>(m_pictureBox->winId());
}

quintptr Game::cutSceneWindow() {
    syncCutScene(m_engine->scene());
    return static_cast<quintptr>(m_cutScene->winId());
}

void Game::applySettings(const PlayerSettings &settings) {
    m_settings = settings;
    m_media.setVolumes(settings.musicVolume, settings.soundVolume);
    placePlayArea();
}

void Game::showGameWindow() {
    applySettings(PlayerSettings::load(m_engine->general().ProjectName));
    if (m_mode == WindowMode::FullScreen) {
        // Only a window manager acts on the full-screen request; without one (a kiosk, a bare
        // X server) the window would keep its own size, so it covers the screen itself.
        if (QScreen *shown = screen())
            setGeometry(shown->geometry());
        showFullScreen();
    } else
        show();
    raise();
    activateWindow();
    m_pictureBox->setFocus();
}

void Game::gameClosed() {
    hide();
    emit gameWindowClosed();
}

// --- showing the scene

void Game::sceneChanged() {
    if (!m_engine)
        return;
    const Scene &scene = m_engine->scene();
    const QSize play(qMax(1, scene.playWidth), qMax(1, scene.playHeight));
    if (play != m_playSize) {
        m_playSize = play;
        if (m_mode == WindowMode::Windowed)
            resize(play);
        placePlayArea();
    }
    m_pictureBox->setBackground(colorFromValue(scene.backgroundColor), scene.backImage,
                                scene.tileImage);
    const bool texts = syncTexts(scene);
    const bool areas = syncAreas(scene);
    const bool items = syncInventory(scene);
    if (texts || areas)
        nameAreas();
    if (texts || areas || items)
        restack();
    syncMessage(scene);
    syncCutScene(scene);
    syncMenus(scene);
}

TwipScale Game::fittingScale() const {
    if (m_playSize.isEmpty() || size().isEmpty() ||
        m_settings.scaling == PlayerSettings::Scaling::Unscaled)
        return TwipScale();
    const double fit =
        qMin(double(width()) / m_playSize.width(), double(height()) / m_playSize.height());
    // Whole steps keep every game pixel a square of screen pixels; a screen smaller than the
    // game still shrinks it to fit.
    if (m_settings.scaling == PlayerSettings::Scaling::WholeSteps && fit >= 1.0)
        return TwipScale(std::floor(fit));
    return TwipScale(fit);
}

void Game::placePlayArea() {
    const TwipScale scale = fittingScale();
    const QSize shown = scale.scalePixels(m_playSize);
    if (scale != m_scale || m_pictureBox->size() != shown) {
        m_scale = scale;
        m_pictureBox->resize(shown);
        m_pictureBox->setScale(scale.factor());
        // Everything is placed again at the new scale.
        m_shownTexts.clear();
        m_messageShown = false;
        sceneChanged();
    }
    // Centred; the menu bar lies over the play area's top and moves nothing.
    m_pictureBox->move((width() - m_pictureBox->width()) / 2,
                       (height() - m_pictureBox->height()) / 2);
    if (!m_menuBar->isHidden()) {
        const QRect play = m_pictureBox->geometry();
        m_menuBar->setGeometry(play.x(), play.y(), play.width(), m_menuBar->sizeHint().height());
        m_menuBar->raise();
    }
}

bool Game::syncTexts(const Scene &scene) {
    if (sameTexts(scene.texts, m_shownTexts))
        return false;
    m_shownTexts = scene.texts;
    m_textCount = static_cast<int>(scene.texts.size());
    for (int i = 0; i < m_textCount; ++i) {
        if (i >= m_texts.size()) {
            auto *label = new QLabel(m_pictureBox);
            label->setObjectName(QStringLiteral("Text"));
            label->setTextFormat(Qt::PlainText);
            // A press on a text is a press on the background below it.
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            m_texts.append(label);
        }
        const TextLabel &t = scene.texts[i].label;
        QLabel *label = m_texts[i];
        label->setFont(textLabelFont(t, m_scale.scalePoints(t.FontSize > 0 ? t.FontSize : 8.25)));
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colorFromValue(t.ForeColor));
        label->setPalette(palette);
        label->setText(t.Caption);
        label->adjustSize();
        label->move(m_scale.roundToPixels(t.Left), m_scale.roundToPixels(t.Top));
        label->show();
    }
    for (qsizetype i = m_textCount; i < m_texts.size(); ++i)
        m_texts[i]->hide();
    return true;
}

bool Game::syncAreas(const Scene &scene) {
    const int count = static_cast<int>(scene.areas.size());
    bool changed = count != m_areaCount;
    m_areaCount = count;
    for (int i = 0; i < count; ++i) {
        if (i >= m_areas.size()) {
            auto *w = new AreaWidget(m_pictureBox);
            connect(w, &AreaWidget::pressed, this, &Game::onAreaPressed);
            connect(w, &AreaWidget::itemDropped, this, [this](int n) { m_engine->dropOnArea(n); });
            // Reported after the scene is drawn, not in the middle of drawing it.
            connect(
                w, &AreaWidget::animationFailed, this,
                [this](const QString &file) {
                    m_engine->reportError(QStringLiteral(" Unable to load '") + file +
                                          QStringLiteral("'."));
                },
                Qt::QueuedConnection);
            m_areas.append(w);
        }
        if (m_areas[i]->apply(scene.areas[i], m_scale))
            changed = true;
    }
    for (qsizetype i = count; i < m_areas.size(); ++i)
        m_areas[i]->retire();
    return changed;
}

bool Game::syncInventory(const Scene &scene) {
    const int count = static_cast<int>(scene.inventory.size());
    const bool changed = count != m_slotCount;
    m_slotCount = count;
    for (int k = 0; k < count; ++k) {
        if (k >= m_slots.size()) {
            auto *w = new PickedObject(m_pictureBox);
            connect(w, &PickedObject::pressed, this, &Game::onSlotPressed);
            connect(w, &PickedObject::itemDropped, this,
                    [this](int slot) { m_engine->dropOnSlot(slot); });
            m_slots.append(w);
        }
        m_slots[k]->apply(k + 1, scene.inventory[k], m_scale);
    }
    for (qsizetype k = count; k < m_slots.size(); ++k)
        m_slots[k]->hide();
    return changed;
}

void Game::restack() {
    // Texts are loaded before the areas, and the inventory is brought to the front after them.
    for (int i = 0; i < m_textCount; ++i)
        m_texts[i]->raise();
    for (int i = 0; i < m_areaCount; ++i)
        m_areas[i]->raise();
    for (int k = 0; k < m_slotCount; ++k)
        m_slots[k]->raise();
    if (m_messageShown)
        m_messageFrame->raise();
    // A video playing over the whole play area is a window of its own: it stays above the
    // frame's controls, which are loaded after it starts.
    for (QObject *child : m_pictureBox->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (w && w != m_messageFrame && w != m_cutScene && !m_texts.contains(w) &&
            !m_areas.contains(w) && !m_slots.contains(w))
            w->raise();
    }
    if (m_cutScene->isVisible())
        m_cutScene->raise();
}

void Game::syncMessage(const Scene &scene) {
    if (!scene.messageVisible) {
        m_messageFrame->hide();
        m_messageShown = false;
        return;
    }
    if (m_messageShown && scene.messageText == m_shownMessage &&
        m_messageFrame->width() == m_pictureBox->width())
        return;
    m_shownMessage = scene.messageText;
    m_messageShown = true;
    QFont messageFont = m_messageLabel->font();
    messageFont.setPointSizeF(m_scale.scalePoints(kMessagePoints));
    m_messageLabel->setFont(messageFont);
    const int margin = m_scale.scalePixels(kMessageMargin);
    const int width = m_pictureBox->width();
    const int widest = qMax(1, width - 2 * margin);
    m_messageLabel->setWordWrap(false);
    m_messageLabel->setText(scene.messageText);
    m_messageLabel->adjustSize();
    if (m_messageLabel->width() > widest) {
        m_messageLabel->setWordWrap(true);
        m_messageLabel->resize(widest, m_messageLabel->heightForWidth(widest));
    }
    const int height = m_messageLabel->height() + margin;
    m_messageFrame->setGeometry(0, m_pictureBox->height() - height, width, height);
    m_messageLabel->move((width - m_messageLabel->width()) / 2,
                         (height - m_messageLabel->height()) / 2);
    m_messageFrame->setAccessibleName(scene.messageText);
    m_messageFrame->show();
    m_messageFrame->raise();
}

void Game::syncCutScene(const Scene &scene) {
    if (!scene.cutSceneVisible) {
        m_cutScene->hide();
        return;
    }
    const QRect rect = m_scale.toPixels(scene.cutSceneRect);
    if (m_cutScene->geometry() != rect)
        m_cutScene->setGeometry(rect);
    if (!m_cutScene->isVisible()) {
        m_cutScene->show();
        m_cutScene->raise();
    }
}

void Game::syncMenus(const Scene &scene) {
    m_mnuExit->setVisible(scene.menuExitShown);
    m_mnuSaveGame->setVisible(scene.menuSaveShown);
    const bool shown = scene.menuExitShown || scene.menuSaveShown;
    if (shown == !m_menuBar->isHidden())
        return;
    m_menuBar->setVisible(shown);
    placePlayArea();
}

void Game::nameAreas() {
    // A text lying over an area says what is there (a sign, a door's name); else the picture's
    // name; else its number. The item an area gives is never told: that would spoil the puzzle.
    for (int i = 0; i < m_areaCount; ++i) {
        AreaWidget *area = m_areas[i];
        QString name;
        qint64 best = 0;
        for (int t = 0; t < m_textCount; ++t) {
            const QLabel *text = m_texts[t];
            const QString caption = text->text().simplified();
            if (caption.isEmpty())
                continue;
            const QRect over = text->geometry() & area->geometry();
            const qint64 overlap = qint64(over.width()) * over.height();
            const qint64 whole = qint64(text->width()) * text->height();
            if (overlap > best && overlap * 2 >= whole) {
                best = overlap;
                name = caption;
            }
        }
        if (name.isEmpty())
            name = area->plainName();
        if (area->accessibleName() != name)
            area->setAccessibleName(name);
    }
}

// --- input

void Game::onAreaPressed(int area, int button) {
    m_engine->AreaClick(area, button);
}

void Game::onSlotPressed(int slot, int button) {
    m_engine->slotPressed(slot, button);
    // The engine noted the slot when the press may start a drag.
    if (button == 1 && m_engine->draggedSlot() == slot) {
        if (PickedObject *w = inventorySlot(slot))
            w->armDrag(true);
    }
}

void Game::openSaveDialog() {
    frmSaveGame dialog(*m_engine, this);
    dialog.exec();
}

void Game::closeEvent(QCloseEvent *event) {
    if (!m_engine->gameClosed()) {
        // Closed by the window manager (its close box, Alt+F4): the same question as "Exit".
        // The program's own closing needs no answer.
        if (event->spontaneous())
            m_engine->exitRequested();
        else
            m_engine->closeGame();
        if (!m_engine->gameClosed()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void Game::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        m_engine->escapePressed();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Game::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    placePlayArea();
}

void Game::changeEvent(QEvent *event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_pictureBox->setFocus();
    QWidget::changeEvent(event);
}

bool Game::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::MouseButtonPress)
        return QWidget::eventFilter(watched, event);
    const auto *press = static_cast<QMouseEvent *>(event);
    if (watched == m_messageFrame || watched == m_messageLabel) {
        if (press->button() == Qt::LeftButton)
            m_engine->messageClicked();
        return true;
    }
    if (watched == m_cutScene) {
        if (const int button = engineButton(press->button()))
            m_engine->backgroundPressed(button);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
