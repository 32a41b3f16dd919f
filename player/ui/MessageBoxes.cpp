#include "MessageBoxes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

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

// Room for the window's icon, the close box and the frame's margins around the title text.
constexpr int kTitleBarExtra = 140;

} // namespace

int titleBarWidth(const QString &title) {
    // Window managers mostly draw titles in a bold face of about the application's size.
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + kTitleBarExtra;
}

void makePlainDialog(QDialog *dialog) {
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    const int wanted = titleBarWidth(dialog->windowTitle());
    if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        // A message box sizes itself to its text on every show; a spacer across its grid is
        // what it keeps.
        if (auto *grid = qobject_cast<QGridLayout *>(box->layout()))
            grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                          grid->rowCount(), 0, 1, grid->columnCount());
        return;
    }
    dialog->setMinimumWidth(qMax(dialog->minimumWidth(), wanted));
}

std::unique_ptr<QMessageBox> createMessageBox(QWidget *parent, const QString &title,
                                              const QString &text, Status::Icon icon,
                                              EngineHost::Buttons buttons, bool defaultNo) {
    QMessageBox::StandardButtons shown = QMessageBox::Ok;
    QMessageBox::StandardButton preset = QMessageBox::Ok;
    if (buttons == EngineHost::Buttons::OkCancel) {
        shown = QMessageBox::Ok | QMessageBox::Cancel;
    } else if (buttons == EngineHost::Buttons::YesNo) {
        shown = QMessageBox::Yes | QMessageBox::No;
        preset = defaultNo ? QMessageBox::No : QMessageBox::Yes;
    } else if (buttons == EngineHost::Buttons::YesNoCancel) {
        shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        preset = defaultNo ? QMessageBox::No : QMessageBox::Yes;
    }
    auto box = std::make_unique<QMessageBox>(boxIcon(icon), title, text, shown, parent);
    box->setDefaultButton(preset);
    makePlainDialog(box.get());
    return box;
}

EngineHost::Answer showMessageBox(QWidget *parent, const QString &title, const QString &text,
                                  Status::Icon icon, EngineHost::Buttons buttons, bool defaultNo) {
    const std::unique_ptr<QMessageBox> box =
        createMessageBox(parent, title, text, icon, buttons, defaultNo);
    switch (box->exec()) {
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
