#include "frmRunFromCD.h"

#include "CustomTexts.h"
#include "Drives.h"
#include "ProjectPaths.h"
#include "RunFromCd.h"
#include "frmSaveGame.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

frmRunFromCD::frmRunFromCD(const QString &root, const QString &softwareTitle,
                           const CustomTexts &texts, const DriveProvider &drives, QWidget *parent)
    : QDialog(parent), m_root(root), m_title(softwareTitle), m_texts(texts) {
    setObjectName(QStringLiteral("frmRunFromCD"));
    setWindowTitle(softwareTitle);
    setModal(true);

    m_prompt = new QLabel(texts.text(36), this);
    m_prompt->setObjectName(QStringLiteral("Label1"));
    m_prompt->setWordWrap(true);
    m_driveLabel = new QLabel(texts.text(37), this);
    m_driveLabel->setObjectName(QStringLiteral("Label2"));
    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("Drive1"));
    m_list->setAccessibleName(texts.text(37).isEmpty() ? tr("Drive") : texts.text(37));
    m_driveLabel->setBuddy(m_list);
    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cancel->setAutoDefault(false);

    int cdIndex = -1;
    for (const Drive &d : drives.drives()) {
        m_roots.append(d.root);
        m_list->addItem(d.root + QLatin1Char(' ') + d.label + QLatin1Char(' ') +
                        driveTypeText(d.type));
        // The last CD-ROM drive wins, as the list is walked in order.
        if (d.type == Drive::CdRom)
            cdIndex = m_list->count() - 1;
    }
    m_list->setCurrentIndex(cdIndex);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_driveLabel);
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &frmRunFromCD::ok);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_cancelled = true;
        reject();
    });
    // Dragged by its body and labels, like the title window.
    for (QWidget *w : {static_cast<QWidget *>(this), static_cast<QWidget *>(m_prompt),
                       static_cast<QWidget *>(m_driveLabel)})
        w->installEventFilter(this);
}

QStringList frmRunFromCD::dataFolders(const QString &driveRoot, const QString &softwareTitle) {
    const QString data = withTrailingSeparator(driveRoot) + QStringLiteral("Data") +
                         QDir::separator() + softwareTitle + QDir::separator();
    QStringList out;
    for (const char *name : {"Frames", "Areas", "Icons"})
        out.append(data + QLatin1String(name) + QDir::separator());
    return out;
}

QString frmRunFromCD::selectedRoot() const {
    const int i = m_list->currentIndex();
    return i >= 0 && i < m_roots.size() ? m_roots.at(i) : QString();
}

void frmRunFromCD::ok() {
    const QString drive = selectedRoot();
    if (drive.isEmpty() || !QFileInfo(drive).isDir()) {
        message(m_title, m_texts.text(38));
        return;
    }
    const QStringList folders = dataFolders(drive, m_title);
    for (const QString &folder : folders) {
        if (!QFileInfo(folder).isDir()) {
            message(m_title, m_texts.text(43) + QLatin1Char(' ') + folder + QStringLiteral("\n\n") +
                                 m_texts.text(44));
            return;
        }
    }
    // A marker that cannot be written costs only the question next time.
    RunFromCd::writeDrive(m_root, drive);
    m_chosen = folders;
    accept();
}

void frmRunFromCD::message(const QString &title, const QString &text) {
    if (m_answerer) {
        m_answerer(title, text, Status::Icon::Exclamation, EngineHost::Buttons::Ok);
        return;
    }
    showMessageBox(this, title, text, Status::Icon::Exclamation, EngineHost::Buttons::Ok);
}

void frmRunFromCD::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
}

bool frmRunFromCD::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonPress) {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::LeftButton) {
            m_dragging = true;
            m_dragOffset = e->globalPosition().toPoint() - frameGeometry().topLeft();
        }
    } else if (event->type() == QEvent::MouseMove && m_dragging) {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->buttons() & Qt::LeftButton)
            move(e->globalPosition().toPoint() - m_dragOffset);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        m_dragging = false;
    }
    return QDialog::eventFilter(watched, event);
}
