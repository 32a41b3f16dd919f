#pragma once

#include <QWidget>

#include <memory>

class FrameSlot;

// The video's window: a child filling its parent (and following its size) that paints the
// current picture stretched to its size. Mouse presses go through to the parent, which decides
// what a click during a video means.
class VideoWidget : public QWidget {
public:
    VideoWidget(QWidget *parent, std::shared_ptr<const FrameSlot> frames);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::shared_ptr<const FrameSlot> m_frames;
};
