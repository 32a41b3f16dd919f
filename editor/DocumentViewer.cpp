#include "DocumentViewer.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {
// The read-me is a few pages; a larger file is not one of ours.
constexpr qint64 kMaxTextBytes = 4 * 1024 * 1024;
} // namespace

DocumentViewer::DocumentViewer(const QString &title, const QString &path, QWidget *parent)
    : QDialog(parent), m_page(new QTextBrowser(this)) {
    setWindowTitle(title);
    setAccessibleName(title);
    m_page->setAccessibleName(title);
    m_page->setOpenExternalLinks(false);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) {
        m_page->setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
    } else {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            m_page->setPlainText(QString::fromUtf8(file.read(kMaxTextBytes)));
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *close = buttons->button(QDialogButtonBox::Close);
    close->setText(QStringLiteral("Close"));
    close->setAccessibleName(QStringLiteral("Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_page);
    layout->addWidget(buttons);
    resize(640, 480);
    m_page->setFocus();
}
