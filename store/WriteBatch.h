#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Changes to several files and folders of a project made together or not at all.
//
// The plan is gathered first: new contents, removals and renames. commit() checks the plan,
// keeps what every file it will change holds now, and writes every new content to a temporary
// file beside its target (the writer's temporary name: never listed, removed if left behind);
// nothing visible has changed yet. Only when all are written are they put in place, then the
// removed entries are moved aside, then the renames are made, in the order given, and last the
// entries moved aside are deleted. On any failure what was done is undone in reverse order, so
// every file is as it was, and the caller learns which file failed and why.
class WriteBatch {
public:
    // `path` is to hold `bytes`. Paths of writes and removals are those before the renames.
    void write(const QString &path, const QByteArray &bytes);
    // The file, link or folder (with everything in it) at `path` is to go. A missing entry is
    // no error.
    void remove(const QString &path);
    // The file or folder `from` is to be called `to`. `to` must not exist unless it is removed
    // in the same batch. A change of letter case alone goes through a temporary name, so it
    // works on file systems that do not tell letter cases apart.
    void rename(const QString &from, const QString &to);
    // The folder `path` is to exist: made before the writes (its parent must exist or be made
    // earlier in the same batch). An existing folder is no error.
    void makeFolder(const QString &path);

    bool isEmpty() const {
        return m_writes.isEmpty() && m_removals.isEmpty() && m_renames.isEmpty() &&
               m_folders.isEmpty();
    }

    // Carries out the plan; false when anything failed, and then nothing has changed.
    bool commit();

    // After a failed commit: the path that failed and the system's reason.
    const QString &failedPath() const { return m_failedPath; }
    const QString &reason() const { return m_reason; }
    // "<path>: <reason>".
    QString errorString() const;

    // What a file was before the commit, so that a history can put it back: its bytes, or that
    // it did not exist.
    struct OldFile {
        QString path;
        bool existed = false;
        QByteArray bytes;
    };
    // Every file the commit wrote or removed (each file of a removed folder too), as it was
    // before; links and other entries that are not regular files are not kept. Filled by a
    // successful commit.
    const QList<OldFile> &oldFiles() const { return m_oldFiles; }
    // The renames made, in order: (from, to).
    const QList<QPair<QString, QString>> &renames() const { return m_renames; }

private:
    struct Write {
        QString path;
        QByteArray bytes;
        QString temporary;
        bool placed = false;
    };
    struct Removal {
        QString path;
        QString aside; // empty until moved aside, or when nothing was there
    };

    bool fail(const QString &path, const QString &reason);
    bool checkPlan();
    bool keepOldFiles();
    bool keepFolder(const QString &folder);
    bool makeFolders();
    bool prepareWrites();
    bool applyWrites();
    bool moveAside();
    bool applyRenames(int &done);
    bool deleteAside();
    void undo(int renamesDone);
    void restoreFolder(const QString &folder);
    bool renameEntry(const QString &from, const QString &to);

    QList<Write> m_writes;
    QList<Removal> m_removals;
    QList<QPair<QString, QString>> m_renames;
    QList<OldFile> m_oldFiles;
    QStringList m_folders;
    QStringList m_madeFolders;
    QString m_failedPath;
    QString m_reason;
};
