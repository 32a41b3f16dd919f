#pragma once

#include "FileOperation.h"
#include "ProjectPaths.h"

#include <QString>

// Removing the two kinds of item events: an item dropped on an area (<n>_<item>.drg and its
// sounds <n>_<item>.chn in the frame's area folder) and an item dropped on another item
// (Areas/<first>_on_<second>.drg).
class EventRemoval : public FileOperation {
public:
    explicit EventRemoval(const ProjectPaths &paths) : m_paths(paths) {}

    // Deletes the .drg file, then its .chn file; a missing .chn is no error.
    bool removeDropEvent(const QString &frame, int area, const QString &item);
    bool removeItemEvent(const QString &first, const QString &second);

private:
    ProjectPaths m_paths;
};
