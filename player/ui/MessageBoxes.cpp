#include "MessageBoxes.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(Status::Icon icon) {
    switch (icon) {
    case Status::Icon::Critical:
        return QMessageBox::Critical;
    case Status::Icon::Information:
        return QMessageBox::Information;
    case Status::Icon::Exclamation:
        return QMessageBox::Warning;
    case Status::Icon::Question:
        return QMessageBox::Question;
    case Status::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

EngineHost::Answer showMessageBox(QWidget *parent, const QString &title, const QString &text,
                                  Status::Icon icon, EngineHost::Buttons buttons, bool defaultNo) {
    QMessageBox::StandardButtons shown = QMessageBox::Ok;
    QMessageBox::StandardButton preset = QMessageBox::Ok;
    if (buttons == EngineHost::Buttons::OkCancel) {
        shown = QMessageBox::Ok | QMessageBox::Cancel;
    } else if (buttons == EngineHost::Buttons::YesNo) {
        shown = QMessageBox::Yes | QMessageBox::No;
        preset = defaultNo ? QMessageBox::No : QMessageBox::Yes;
    }
    QMessageBox box(boxIcon(icon), title, text, shown, parent);
    box.setDefaultButton(preset);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return EngineHost::Answer::Ok;
    case QMessageBox::Yes:
        return EngineHost::Answer::Yes;
    case QMessageBox::No:
        return EngineHost::Answer::No;
    default:
        return buttons == EngineHost::Buttons::YesNo ? EngineHost::Answer::No
                                                     : EngineHost::Answer::Cancel;
    }
}
