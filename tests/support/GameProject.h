#pragma once

#include "AreaFiles.h"
#include "FrameFiles.h"
#include "GeneralInfo.h"
#include "Status.h"
#include "TestProject.h"
#include "TextLabels.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// A project as the editor writes it, built one file at a time.
class GameProject : public TestProject {
public:
    explicit GameProject(const QString &initialFrame = QStringLiteral("Start"));

    GeneralInfo general;
    // Rewrites Config/General from `general`.
    void writeGeneralInfo() const;

    FrameFiles frames() const { return FrameFiles(paths(), SoundMode::MultiChannel); }
    AreaFiles areas(const QString &frame) const {
        return AreaFiles(paths(), SoundMode::MultiChannel, frame);
    }

    // A frame (22-line file and its channel file) with an empty area folder.
    void frame(const QString &name, const FrameProperties &props = FrameProperties(),
               const QList<ChannelRecord> &sounds = {});
    // Area n of a frame; the frame's area count grows to n when it is smaller.
    void area(const QString &frame, int n, const Area &area = Area());
    void areaCount(const QString &frame, int count);
    void text(const QString &frame, int n, const QString &caption) const;
    void text(const QString &frame, int n, const TextLabel &label) const;
    void variables(const QStringList &names) const;
    // An item whose picture file exists (empty).
    void item(const QString &name) const;
    void itemEvent(const QString &first, const QString &second, bool removeFirst, bool removeSecond,
                   const QString &newItem = QString()) const;
    void dropEvent(const QString &frame, int n, const QString &item, const ActionRecord &action,
                   const QList<ChannelRecord> &sounds = {}) const;
    // An empty file standing for a picture, sound, music or video.
    QString touch(const QString &relativePath) const;

private:
    QMap<QString, int> m_areaCounts;
};

// Throws when a fixture file could not be written: the test cannot go on without it.
void require(const Status &status, const QString &what);
