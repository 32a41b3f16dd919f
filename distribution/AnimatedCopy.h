#pragma once

#include "GameFiles.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>

// Copies a list of files into a folder on a worker thread while the caller's events run, and
// reports its progress; cancel() stops it between two blocks. The list is the caller's (the
// installer's list of game files), so nothing else in the source folders is copied; existing
// files at the destination are replaced.
class AnimatedCopy : public QObject {
    Q_OBJECT
public:
    // Makes `to` and its subfolders `folders` (relative to `to`), then copies every file of
    // `files` to `to` + '/' + its target.
    AnimatedCopy(const QString &to, const QVector<GameFile> &files,
                 const QStringList &folders = QStringList(), QObject *parent = nullptr);
    ~AnimatedCopy() override;

    // The progress window's title.
    static QString title();

    // Copies and waits for the end (the caller's event loop runs meanwhile). True when every
    // file was copied; false when the copy failed or was cancelled (errorString() says why).
    bool run();
    // May be called from any thread, also while run() waits.
    void cancel() { m_cancel = true; }
    bool cancelled() const { return m_cancel; }
    const QString &errorString() const { return m_error; }

signals:
    // Files and bytes copied so far of the totals (bytes in bytes).
    void progress(int filesDone, int filesTotal, qint64 bytesDone, qint64 bytesTotal);

private:
    bool copyAll();

    QString m_to, m_error;
    QVector<GameFile> m_files;
    QStringList m_folders;
    std::atomic<bool> m_cancel{false};
};
