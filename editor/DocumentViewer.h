#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

// A page that comes with the editor (the help pages, the read-me) shown inside the editor, for
// systems with no program to open it. HTML pages keep their links to the pages beside them;
// any other file is shown as plain text. Escape or "Close" closes it.
class DocumentViewer : public QDialog {
    Q_OBJECT
public:
    // Shows `path` under `title`; an unreadable file leaves the page empty.
    DocumentViewer(const QString &title, const QString &path, QWidget *parent = nullptr);

    QTextBrowser *page() const { return m_page; }

private:
    QTextBrowser *m_page;
};
