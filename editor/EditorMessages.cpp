#include "EditorMessages.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QProcess>

namespace EditorMessages {

namespace {
MessageAnswerer &answererSlot() {
    static MessageAnswerer a;
    return a;
}
InputAnswerer &inputAnswerer() {
    static InputAnswerer a;
    return a;
}
UrlOpener &urlOpener() {
    static UrlOpener o;
    return o;
}
ProgramStarter &programStarter() {
    static ProgramStarter s;
    return s;
}
FileChooser &fileChooser() {
    static FileChooser c;
    return c;
}
} // namespace

void setUrlOpener(UrlOpener o) {
    urlOpener() = std::move(o);
}
void setProgramStarter(ProgramStarter s) {
    programStarter() = std::move(s);
}

void setFileChooser(FileChooser c) {
    fileChooser() = std::move(c);
}

QString chooseFile(QWidget *parent, const QString &filter) {
    if (fileChooser())
        return fileChooser()(filter);
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

bool openUrl(const QUrl &url) {
    if (urlOpener())
        return urlOpener()(url);
    return QDesktopServices::openUrl(url);
}

bool startProgram(const QString &program, const QStringList &arguments) {
    if (programStarter())
        return programStarter()(program, arguments);
    return QProcess::startDetached(program, arguments);
}

void setAnswerer(MessageAnswerer a) {
    answererSlot() = std::move(a);
}
MessageAnswerer answerer() {
    return answererSlot();
}
void setInputAnswerer(InputAnswerer a) {
    inputAnswerer() = std::move(a);
}

EngineHost::Answer ask(QWidget *parent, const QString &title, const QString &text,
                       Status::Icon icon, EngineHost::Buttons buttons) {
    const QString shownTitle = title.isEmpty() ? QStringLiteral("Quillmoor") : title;
    if (answererSlot())
        return answererSlot()(shownTitle, text, icon, buttons);
    return showMessageBox(parent, shownTitle, text, icon, buttons);
}

void show(QWidget *parent, const Status &status) {
    if (status.ok())
        return;
    // The system's reason ("No space left on device") follows the message, so the author knows
    // which of the causes it names is the one.
    const QString text = status.detail().isEmpty()
                             ? status.text()
                             : status.text() + QStringLiteral("\n\n") + status.detail();
    ask(parent, status.title().isEmpty() ? QStringLiteral("Error") : status.title(), text,
        status.icon());
}

QString input(QWidget *parent, const QString &title, const QString &prompt,
              const QString &suggestion) {
    if (inputAnswerer())
        return inputAnswerer()(title, prompt, suggestion);
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, suggestion, &ok);
    return ok ? text : QString();
}

} // namespace EditorMessages
