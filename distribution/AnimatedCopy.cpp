#include "AnimatedCopy.h"

#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <memory>

namespace {

struct Entry {
    QString relative;
    bool folder;
    qint64 size;
};

constexpr qint64 kBlock = 256 * 1024;

} // namespace

AnimatedCopy::AnimatedCopy(const QString &from, const QString &to, QObject *parent)
    : QObject(parent), m_from(QDir::cleanPath(from)), m_to(QDir::cleanPath(to)) {}

AnimatedCopy::~AnimatedCopy() = default;

QString AnimatedCopy::title() {
    return QStringLiteral("Please wait while your project files are copied...");
}

bool AnimatedCopy::run() {
    bool ok = false;
    std::unique_ptr<QThread> worker(QThread::create([this, &ok] { ok = copyAll(); }));
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    return ok;
}

// Runs on the worker thread: progress() is delivered to the caller's thread through its queue.
bool AnimatedCopy::copyAll() {
    const QDir source(m_from);
    if (!QFileInfo(m_from).isDir()) {
        m_error = m_from + QStringLiteral(": not a folder");
        return false;
    }
    QList<Entry> entries;
    qint64 bytesTotal = 0;
    int filesTotal = 0;
    QDirIterator it(m_from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.isSymLink()) // the iterator never enters linked folders either
            continue;
        const QString rel = source.relativeFilePath(info.absoluteFilePath());
        if (info.isDir()) {
            entries.append({rel, true, 0});
        } else if (info.isFile()) {
            entries.append({rel, false, info.size()});
            bytesTotal += info.size();
            ++filesTotal;
        }
    }
    if (!QDir().mkpath(m_to)) {
        m_error = m_to + QStringLiteral(": cannot make the folder");
        return false;
    }
    int filesDone = 0;
    qint64 bytesDone = 0;
    emit progress(0, filesTotal, 0, bytesTotal);
    for (const Entry &e : entries) {
        if (m_cancel) {
            m_error = QStringLiteral("cancelled");
            return false;
        }
        const QString target = m_to + '/' + e.relative;
        if (e.folder) {
            if (!QDir().mkpath(target)) {
                m_error = target + QStringLiteral(": cannot make the folder");
                return false;
            }
            continue;
        }
        QFile in(m_from + '/' + e.relative);
        QFile out(target);
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !in.open(QIODevice::ReadOnly) ||
            !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            m_error = (in.isOpen() ? target + QStringLiteral(": ") + out.errorString()
                                   : in.fileName() + QStringLiteral(": ") + in.errorString());
            return false;
        }
        while (!in.atEnd()) {
            if (m_cancel) {
                out.close();
                out.remove();
                m_error = QStringLiteral("cancelled");
                return false;
            }
            const QByteArray block = in.read(kBlock);
            if (block.isEmpty() && in.error() != QFile::NoError) {
                m_error = in.fileName() + QStringLiteral(": ") + in.errorString();
                return false;
            }
            if (out.write(block) != block.size()) {
                m_error = target + QStringLiteral(": ") + out.errorString();
                out.close();
                out.remove();
                return false;
            }
            bytesDone += block.size();
            emit progress(filesDone, filesTotal, bytesDone, bytesTotal);
        }
        if (!out.flush()) {
            m_error = target + QStringLiteral(": ") + out.errorString();
            return false;
        }
        ++filesDone;
        emit progress(filesDone, filesTotal, bytesDone, bytesTotal);
    }
    return true;
}
