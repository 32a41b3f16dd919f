#include "AnimatedCopy.h"

#include "WhileEventsFlow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr qint64 kBlock = 256 * 1024;

} // namespace

AnimatedCopy::AnimatedCopy(const QString &to, const QVector<GameFile> &files,
                           const QStringList &folders, QObject *parent)
    : QObject(parent), m_to(QDir::cleanPath(to)), m_files(files), m_folders(folders) {}

AnimatedCopy::~AnimatedCopy() = default;

QString AnimatedCopy::title() {
    return QStringLiteral("Please wait while your project files are copied...");
}

bool AnimatedCopy::run() {
    bool ok = false;
    runWhileEventsFlow([this, &ok] { ok = copyAll(); });
    return ok;
}

// Runs on the worker thread: progress() is delivered to the caller's thread through its queue.
bool AnimatedCopy::copyAll() {
    qint64 bytesTotal = 0;
    for (const GameFile &f : m_files)
        bytesTotal += QFileInfo(f.source).size();
    const int filesTotal = int(m_files.size());
    for (const QString &folder : QStringList{QString()} + m_folders) {
        const QString target = folder.isEmpty() ? m_to : m_to + '/' + folder;
        if (!QDir().mkpath(target)) {
            m_error = target + QStringLiteral(": cannot make the folder");
            return false;
        }
    }
    int filesDone = 0;
    qint64 bytesDone = 0;
    emit progress(0, filesTotal, 0, bytesTotal);
    for (const GameFile &f : m_files) {
        if (m_cancel) {
            m_error = QStringLiteral("cancelled");
            return false;
        }
        const QString target = m_to + '/' + f.target;
        QFile in(f.source);
        QFile out(target);
        if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
            m_error = QFileInfo(target).absolutePath() + QStringLiteral(": cannot make the folder");
            return false;
        }
        if (!in.open(QIODevice::ReadOnly) ||
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
