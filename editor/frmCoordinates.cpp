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
    m_pointer = new QLabel(this);
    m_pointer->setAccessibleName(QStringLiteral("Pointer"));
    // One line tall before the pointer first moves.
    m_pointer->setMinimumHeight(m_pointer->fontMetrics().height());
    layout->addWidget(m_pointer);
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
    m_pointer->setText(QStringLiteral("X = %1   Y = %2").arg(x).arg(y));
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
    const int panelTop = m_anchor ? m_anchor->frameGeometry().top() : 0;
    const int panelBottom = m_anchor ? m_anchor->frameGeometry().bottom() : 199;
    const int titleH = geometry().top() - frameGeometry().top();
    placeUnderPanel(panelTop + kBigBottom - (panelBottom + 1 + titleH));
}

void frmCoordinates::ResizeSmall() {
    m_big = false;
    m_frame->hide();
    placeUnderPanel(0);
}

void frmCoordinates::placeUnderPanel(int innerHeight) {
    const QRect panel = m_anchor ? m_anchor->frameGeometry() : QRect(0, 0, 300, 200);
    // Outer geometry = inner geometry + the frame the window system adds.
    const int frameW = frameGeometry().width() - width();
    const int titleH = geometry().top() - frameGeometry().top();
    setMinimumHeight(0);
    // What is shown stays readable, whatever the panel's height and the font's size.
    layout()->activate();
    const int height = qMax(innerHeight, layout()->sizeHint().height());
    setGeometry(panel.left() + frameW / 2, panel.bottom() + 1 + titleH,
                qMax(1, panel.width() - frameW), height);
}
