#pragma once

// Message boxes, input boxes and the shell of the editor answered by the test.

#include "EditorMessages.h"
#include "TestProject.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

struct ShownBox {
    QString title;
    QString text;
    Status::Icon icon = Status::Icon::None;
    EngineHost::Buttons buttons = EngineHost::Buttons::Ok;
};

// While it lives every box is recorded; OK boxes are answered OK, questions from `answers` (an
// unexpected question fails the test and is cancelled); input boxes from `inputs`; opened
// addresses and started programs are recorded and succeed.
class AnsweredEditor {
public:
    AnsweredEditor();
    ~AnsweredEditor();
    QList<ShownBox> boxes;
    QList<EngineHost::Answer> answers;
    QStringList inputs;
    QList<QUrl> opened;
    QStringList started;
    bool programsStart = true;
    QStringList filters; // of the open-file dialogs shown, answered from `files` ("" when empty)
    QStringList files;
    QStringList texts() const;
};

// A project written the way the editor writes one: name, initial frame and the frames given.
void writeProject(const TestProject &p, const QString &name, const QString &initialFrame,
                  const QStringList &frames);

// Lets events run until `done` holds or `ms` milliseconds passed; whether it holds.
bool waitFor(const std::function<bool()> &done, int ms = 5000);

void PrintTo(const QString &text, std::ostream *os);
