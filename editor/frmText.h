#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// "Add Text" (mode 0) or "Edit Text" (mode 1): the text of a frame text. Enter confirms,
// Ctrl+Enter starts a new paragraph.
class frmText : public QDialog {
    Q_OBJECT
public:
    frmText(int mode, const QString &value, QWidget *parent = nullptr);

    // `TextEntryValue`: the text confirmed with OK; "" after Cancel.
    const QString &TextEntryValue() const { return m_value; }
    QPlainTextEdit *field() const { return m_field; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    // Runs the dialog and returns what it gives `TextEntryValue`.
    static QString ask(int mode, const QString &value, QWidget *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void confirm();

    QPlainTextEdit *m_field;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QString m_value;
};
