#pragma once

#include <QObject>
#include <QString>

#include <atomic>

// Copies a folder with everything in it on a worker thread while the caller's events run, and
// reports its progress; cancel() stops it between two blocks. Links are skipped, never
// followed; existing files at the destination are replaced.
class AnimatedCopy : public QObject {
    Q_OBJECT
public:
    AnimatedCopy(const QString &from, const QString &to, QObject *parent = nullptr);
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

    QString m_from, m_to, m_error;
    std::atomic<bool> m_cancel{false};
};
