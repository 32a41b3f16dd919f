#pragma once

#include <QImage>

#include <mutex>

// The picture on show: written by the decoding thread, read by the widget that paints it.
class FrameSlot {
public:
    void put(const QImage &image) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_image = image;
    }
    // A shallow copy: every frame is a new image, so the reader never sees one being written.
    QImage get() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_image;
    }

private:
    mutable std::mutex m_mutex;
    QImage m_image;
};
