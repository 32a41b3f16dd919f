#pragma once

// Projects written through the store, and the game window on them with recorded media and
// message boxes answered by the test.

#include "AreaFiles.h"
#include "CustomTexts.h"
#include "FrameFiles.h"
#include "Game.h"
#include "GameEngine.h"
#include "GameProject.h"
#include "GeneralInfo.h"
#include "RecordingMedia.h"
#include "TextLabels.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QMap>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

void PrintTo(const QString &text, std::ostream *os);
void PrintTo(const QColor &colour, std::ostream *os);

// The project builder with the windows' own needs: the texts the game shows and real pictures.
class UiProject : public GameProject {
public:
    CustomTexts texts = CustomTexts::builtIn(CustomTexts::Applications);
    // An item whose picture is a square of `colour`.
    void item(const QString &name, const QColor &colour = Qt::red) const;
    // Saves `image` under root + relative path (format from the extension).
    QString picture(const QString &relativePath, const QImage &image) const;
};

// An area whose clickable part is the rectangle given in pixels.
Area areaAt(const QRect &pixels, const ActionRecord &action = ActionRecord());
ActionRecord setsVariable(const QString &name);
ActionRecord goesTo(const QString &frame);
ActionRecord showsText(const QString &text);

// The recording back end, with a look at every command string as it is sent.
class WatchingMedia : public RecordingMediaBackend {
public:
    std::function<void(const QString &command)> onCommand;
    int sendString(const QString &command, QString *reply = nullptr) override {
        if (onCommand)
            onCommand(command);
        return RecordingMediaBackend::sendString(command, reply);
    }
};

struct ShownBox {
    QString title;
    QString text;
    Status::Icon icon = Status::Icon::None;
    EngineHost::Buttons buttons = EngineHost::Buttons::Ok;
};

// Records every box shown and answers OK boxes itself and questions from `answers` (an
// unexpected question fails the test and is cancelled).
MessageAnswerer recordingAnswerer(QList<ShownBox> &boxes, QList<EngineHost::Answer> &answers);

// The game window on a project, shown as a normal window, with every message box recorded and
// questions answered from a queue (an unexpected question fails the test and is cancelled).
class GameUnderTest {
public:
    explicit GameUnderTest(const UiProject &project);
    ~GameUnderTest();

    WatchingMedia media;
    std::unique_ptr<Game> game;
    QList<ShownBox> boxes;
    QList<EngineHost::Answer> answers;

    GameEngine &engine() { return game->engine(); }
    // A new game: reset, the initial frame, the window shown.
    void start();
    // A click of the real mouse at a point of the play area: the window decides which control
    // gets it.
    void click(const QPoint &inPlayArea, Qt::MouseButton button = Qt::LeftButton);
    QImage screenshot() const;
    QStringList inventory() const;
};

// Lets events run until `done` or the anti-hang bound passes.
bool waitUntil(const std::function<bool()> &done, int boundMs = 10000);

// Fixture pictures, written byte by byte.
// A placeable WMF of 100 x 50 pixels (96 units to the inch) with its left half red.
QByteArray tinyWmf();
// An EMF of 100 x 50 pixels with its left half red.
QByteArray tinyEmf();
// A 32 x 32 cursor file (an icon written by Qt, with the cursor type and the hot spot set).
QByteArray cursorFile(const QPoint &hotSpot, const QColor &colour = Qt::blue);
QByteArray iconFile(const QColor &colour = Qt::blue);
// An animated GIF of `size` made by ImageMagick; empty when it could not be made.
QByteArray animatedGif(const QSize &size);
