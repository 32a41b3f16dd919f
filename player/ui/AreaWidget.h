#pragma once

#include "Scene.h"
#include "TwipScale.h"

#include <QImage>
#include <QLabel>

#include <memory>

class GifControl;

// One area of the frame: transparent, a picture (stretched over the area, or at its own size
// from the area's top-left corner), or an animated picture in its own box. Presses and item drops
// go to the engine through the signals; the widget keeps no game state.
class AreaWidget : public QLabel {
    Q_OBJECT
public:
    explicit AreaWidget(QWidget *parent = nullptr);
    ~AreaWidget() override;

    // Shows `area` as the scene describes it, at `scale`; files are read again only when they
    // change. True when the area was set up anew (its place among the controls must be
    // restored).
    bool apply(const SceneArea &area, const TwipScale &scale = TwipScale());
    // Hidden and emptied: the frame has fewer areas now.
    void retire();
    int number() const { return m_area.number; }
    // What the area is called when no text lies over it: its picture's file title, else
    // "Area n".
    QString plainName() const;
    // The animated picture's control; null for other areas.
    GifControl *gif() const { return m_gif.get(); }

signals:
    void pressed(int area, int button);
    void itemDropped(int area);
    // An animated picture that exists but cannot be shown.
    void animationFailed(const QString &file);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void setUp(const SceneArea &area);
    void startAnimation();
    void sizeAnimation();

    SceneArea m_area;
    TwipScale m_scale;
    bool m_applied = false;
    bool m_gifLoaded = false;
    std::unique_ptr<GifControl> m_gif;
};
