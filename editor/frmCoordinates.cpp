#include "frmCoordinates.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

frmCoordinates::frmCoordinates(QWidget *parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Coordinates"));
    setAccessibleName(QStringLiteral("Coordinates"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pointer = new QLabel(this);
    m_pointer->setAccessibleName(QStringLiteral("Pointer"));
    // Wide enough for the largest values, so that the status bar does not jump as they change.
    m_pointer->setMinimumWidth(m_pointer->fontMetrics().horizontalAdvance(
        QStringLiteral("X = 00000   Y = 00000")));
    m_pointer->setMinimumHeight(m_pointer->fontMetrics().height());
    layout->addWidget(m_pointer);
    m_frame = new QGroupBox(QStringLiteral("New Area Position:"), this);
    m_frame->setFlat(true);
    auto *row = new QHBoxLayout(m_frame);
    row->setContentsMargins(0, 0, 0, 0);
    const char *captions[4] = {"Left = ", "Top = ", "Width = ", "Height = "};
    QLabel **values[4] = {&m_left, &m_top, &m_width, &m_height};
    for (int i = 0; i < 4; ++i) {
        auto *caption = new QLabel(QString::fromLatin1(captions[i]), m_frame);
        *values[i] = new QLabel(m_frame);
        (*values[i])->setAccessibleName(QString::fromLatin1(captions[i]).trimmed());
        (*values[i])->setMinimumWidth(caption->fontMetrics().horizontalAdvance(
            QStringLiteral("00000")));
        row->addWidget(caption);
        row->addWidget(*values[i]);
    }
    layout->addWidget(m_frame);
    m_frame->hide();
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
}

void frmCoordinates::ResizeSmall() {
    m_big = false;
    m_frame->hide();
}
