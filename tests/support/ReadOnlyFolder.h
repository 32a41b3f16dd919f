#pragma once

#include <QString>

// Makes a folder read-only for as long as it lives: its permissions, and for a root user (who
// ignores permissions) the immutable flag. `ok()` is false when neither holds here.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;
    bool ok() const { return m_ok; }

private:
    bool setImmutable(bool on);
    QString m_folder;
    bool m_immutable = false;
    bool m_ok = false;
};
