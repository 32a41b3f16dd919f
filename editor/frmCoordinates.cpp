#include "frmCoordinates.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// 7200 twips: the inner area of the big window ends this far below the main panel's top.
constexpr int kBigBottom = 480;

} // namespace

frmCoordinates::frmCoordinates(QWidget *anchor, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint), m_anchor(anchor) {
    setWindowTitle(QStringLiteral("Coordinates"));
    setAccessibleName(QStringLiteral("Coordinates"));
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    m_frame = new QGroupBox(QStringLiteral("New Area Position:"), this);
    auto *grid = new QGridLayout(m_frame);
    const char *captions[4] = {"Left = ", "Top = ", "Width = ", "Height = "};
    QLabel **values[4] = {&m_left, &m_top, &m_width, &m_height};
    for (int i = 0; i < 4; ++i) {
        auto *caption = new QLabel(QString::fromLatin1(captions[i]), m_frame);
        *values[i] = new QLabel(m_frame);
        (*values[i])->setAccessibleName(QString::fromLatin1(captions[i]).trimmed());
        grid->addWidget(caption, i, 0);
        grid->addWidget(*values[i], i, 1);
    }
    layout->addWidget(m_frame);
    layout->addStretch();
}

void frmCoordinates::Display(int x, int y) {
    setWindowTitle(QStringLiteral("Coordinates X=%1 Y=%2").arg(x).arg(y));
}

void frmCoordinates::DisplayAreaPosition(int x, int y) {
    m_left->setText(QString::number(x));
    m_top->setText(QString::number(y));
}

void frmCoordinates::DisplayAreaSize(int width, int height) {
    m_width->setText(QString::number(width));
    m_height->setText(QString::number(height));
}

void frmCoordinates::ResizeBig() {
    m_big = true;
    m_frame->show();
    const QRect panel = m_anchor ? m_anchor->frameGeometry() : QRect(0, 0, 300, 200);
    // Outer geometry = inner geometry + the frame the window system adds.
    const int frameW = frameGeometry().width() - width();
    const int titleH = geometry().top() - frameGeometry().top();
    const int innerTop = panel.bottom() + 1 + titleH;
    const int innerHeight = qMax(1, panel.top() + kBigBottom - innerTop);
    setMinimumHeight(0);
    setGeometry(panel.left() + frameW / 2, innerTop, qMax(1, panel.width() - frameW), innerHeight);
}

void frmCoordinates::ResizeSmall() {
    m_big = false;
    m_frame->hide();
    const QRect panel = m_anchor ? m_anchor->frameGeometry() : QRect(0, 0, 300, 200);
    const int frameW = frameGeometry().width() - width();
    const int titleH = geometry().top() - frameGeometry().top();
    setMinimumHeight(0);
    // A window cannot be narrower than nothing: an inner height of one pixel is the title bar.
    setGeometry(panel.left() + frameW / 2, panel.bottom() + 1 + titleH,
                qMax(1, panel.width() - frameW), 1);
}
