#include "GifControl.h"

#include "FileAccess.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMovie>

#include <algorithm>

namespace {
const QByteArray kFormat = QByteArrayLiteral("gif");
constexpr int kMinPercent = 10;
constexpr int kMaxPercent = 1000;
} // namespace

GifControl::GifControl() = default;

GifControl::~GifControl() = default;

bool GifControl::setFileName(const QString &path) {
    if (!FileAccess::checkReadable(path, FileAccess::kMaxPictureFileSize)) {
        m_error = QStringLiteral("file not found");
        return false;
    }
    // Read the first frame now: it proves the file is a GIF and gives the size at once.
    QImageReader reader(path, kFormat);
    QImage first;
    if (!reader.read(&first) || first.isNull()) {
        m_error = reader.errorString();
        return false;
    }
    auto movie = std::make_unique<QMovie>(path, kFormat);
    if (!movie->isValid()) {
        m_error = movie->lastErrorString();
        return false;
    }
    movie->setSpeed(speedPercent(m_speed));
    m_movie = std::move(movie);
    m_fileName = path;
    m_size = first.size();
    m_error.clear();
    return true;
}

QString GifControl::fileName() const {
    return m_fileName;
}

QString GifControl::errorString() const {
    return m_error;
}

int GifControl::speedPercent(int speed) {
    if (speed < 1)
        speed = NormalSpeed;
    return std::clamp(100 * NormalSpeed / speed, kMinPercent, kMaxPercent);
}

void GifControl::setSpeed(int speed) {
    m_speed = speed;
    if (m_movie)
        m_movie->setSpeed(speedPercent(speed));
}

int GifControl::speed() const {
    return m_speed;
}

void GifControl::start() {
    if (m_movie)
        m_movie->start(); // also resumes a paused movie
}

void GifControl::stop() {
    if (m_movie && m_movie->state() == QMovie::Running)
        m_movie->setPaused(true);
}

bool GifControl::isRunning() const {
    return m_movie && m_movie->state() == QMovie::Running;
}

int GifControl::width() const {
    return m_size.width();
}

int GifControl::height() const {
    return m_size.height();
}

QSize GifControl::size() const {
    return m_size;
}

int GifControl::currentFrameNumber() const {
    return m_movie ? m_movie->currentFrameNumber() : -1;
}

int GifControl::frameCount() const {
    return m_movie ? m_movie->frameCount() : 0;
}

QMovie *GifControl::movie() const {
    return m_movie.get();
}
