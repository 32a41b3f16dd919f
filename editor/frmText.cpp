#include "frmText.h"

#include "EditorMessages.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

frmText::frmText(int mode, const QString &value, QWidget *parent) : QDialog(parent) {
    setWindowTitle(mode == 0 ? QStringLiteral("Add Text") : QStringLiteral("Edit Text"));
    auto *layout = new QVBoxLayout(this);
    auto *instruction = new QLabel(
        mode == 0 ? QStringLiteral("This will add some text to the frame background. Enter it in "
                                   "the text field below and then click OK.")
                  : QStringLiteral("Enter new text in the text field below and then click OK."),
        this);
    instruction->setWordWrap(true);
    layout->addWidget(instruction);
    m_field = new QPlainTextEdit(this);
    m_field->setAccessibleName(QStringLiteral("Text"));
    m_field->setPlainText(value);
    m_field->setTabChangesFocus(true);
    m_field->installEventFilter(this);
    instruction->setBuddy(m_field);
    layout->addWidget(m_field);
    auto *tips = new QLabel(QStringLiteral("TIPS: For a new paragraph, press Ctrl+Enter. To assure "
                                           "compatibility with most systems, it is recommended to "
                                           "use only Windows default fonts (Arial, Courier New, "
                                           "Times New Roman...)."),
                            this);
    tips->setWordWrap(true);
    layout->addWidget(tips);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_ok->setDefault(true);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &frmText::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] { m_value.clear(); });
    resize(420, 260);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_field->setFocus();
}

void frmText::confirm() {
    const QString text = m_field->toPlainText();
    if (text.isEmpty()) {
        EditorMessages::ask(this, QString(), QStringLiteral("No text entered."),
                            Status::Icon::Information);
        return;
    }
    if (text.contains(QLatin1Char('"'))) {
        EditorMessages::ask(this, QString(), QStringLiteral("You cannot use quotation marks."),
                            Status::Icon::Information);
        return;
    }
    m_value = text;
    accept();
}

bool frmText::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ControlModifier)
                m_field->insertPlainText(QStringLiteral("\n"));
            else
                confirm();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString frmText::ask(int mode, const QString &value, QWidget *parent) {
    frmText dialog(mode, value, parent);
    dialog.exec();
    return dialog.TextEntryValue();
}
