#include "frmLinuxPackage.h"

#include "BuildMachine.h"
#include "EditorMessages.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QThread>
#include <QVBoxLayout>

namespace {

const QString AlreadyExists = QStringLiteral("A file with the name you specified already exists.");

bool writePng(const QString &picture, const QString &png) {
    const QImage image(picture);
    return !image.isNull() && image.save(png, "PNG");
}

} // namespace

frmLinuxPackage::frmLinuxPackage(const QString &projectRoot, const QString &editorFolder,
                                 QWidget *parent)
    : QDialog(parent), m_projectRoot(projectRoot), m_editorFolder(editorFolder) {
    setWindowTitle(QStringLiteral("Create Linux package"));
    auto *layout = new QVBoxLayout(this);

    auto *kind = new QGroupBox(QStringLiteral("Kind"), this);
    auto *kindLayout = new QVBoxLayout(kind);
    optDebian = new QRadioButton(QStringLiteral("&Debian package (installed with the system's "
                                                "package manager)"),
                                 kind);
    optPortable = new QRadioButton(QStringLiteral("&Portable folder (runs anywhere after "
                                                  "unpacking)"),
                                   kind);
    optDebian->setChecked(true);
    kindLayout->addWidget(optDebian);
    kindLayout->addWidget(optPortable);
    // What the package needs of the system it is played on comes from this one.
    QString needs = QStringLiteral("A Debian package is for the Debian release of the machine "
                                   "that builds it, here %1: a game for Debian 13 is built on "
                                   "Debian 13.")
                        .arg(BuildMachine::systemRelease());
    if (!BuildMachine::glibcVersion().isEmpty())
        needs += QStringLiteral(" A portable folder needs the C library glibc %1 or newer.")
                     .arg(BuildMachine::glibcVersion());
    auto *lblBuildMachine = new QLabel(needs, kind);
    lblBuildMachine->setWordWrap(true);
    kindLayout->addWidget(lblBuildMachine);
    layout->addWidget(kind);

    auto *where = new QLabel(QStringLiteral("&Location:"), this);
    txtLocation = new QLineEdit(this);
    txtLocation->setAccessibleName(QStringLiteral("Location"));
    where->setBuddy(txtLocation);
    QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!QFileInfo(desktop).isDir())
        desktop = QDir::homePath();
    txtLocation->setText(QDir::toNativeSeparators(desktop));
    cmdBrowse = new QPushButton(QStringLiteral("&Browse..."), this);
    auto *row = new QHBoxLayout;
    row->addWidget(where);
    row->addWidget(txtLocation, 1);
    row->addWidget(cmdBrowse);
    layout->addLayout(row);

    CheckEnable = new QCheckBox(QStringLiteral("Let anyone edit my software with Quillmoor (do not "
                                               "hide project resources)."),
                                this);
    layout->addWidget(CheckEnable);

    lblProgress = new QLabel(this);
    lblProgress->setAccessibleName(QStringLiteral("Progress"));
    lblProgress->setWordWrap(true);
    layout->addWidget(lblProgress);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdOK->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);

    connect(cmdBrowse, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Location"),
                                                                 txtLocation->text());
        if (!folder.isEmpty())
            txtLocation->setText(QDir::toNativeSeparators(folder));
    });
    connect(cmdOK, &QPushButton::clicked, this, [this] { startBuild(); });
    connect(cmdCancel, &QPushButton::clicked, this, &frmLinuxPackage::reject);
}

frmLinuxPackage::~frmLinuxPackage() {
    if (m_thread) {
        m_package->cancel();
        m_thread->wait();
    }
}

void frmLinuxPackage::setBusy(bool busy) {
    for (QWidget *w : std::initializer_list<QWidget *>{optDebian, optPortable, txtLocation,
                                                       cmdBrowse, CheckEnable, cmdOK})
        w->setEnabled(!busy);
}

void frmLinuxPackage::startBuild(bool replace) {
    if (m_thread)
        return;
    LinuxPackage::Request request;
    request.projectRoot = m_projectRoot;
    request.editorFolder = m_editorFolder;
    request.location = QDir::fromNativeSeparators(txtLocation->text().trimmed());
    request.kind =
        optPortable->isChecked() ? LinuxPackage::Kind::Portable : LinuxPackage::Kind::Debian;
    request.letAnyoneEdit = CheckEnable->isChecked();
    request.replace = replace;
    request.writeIcon = writePng;
    m_package = std::make_unique<LinuxPackage>(request);
    m_package->setProgress([this](const QString &step) {
        QMetaObject::invokeMethod(
            this, [this, step] { lblProgress->setText(step + QStringLiteral("...")); },
            Qt::QueuedConnection);
    });
    setBusy(true);
    LinuxPackage *package = m_package.get();
    m_thread = QThread::create([this, package, replace] {
        const LinuxPackage::Result r = package->build();
        QMetaObject::invokeMethod(
            this, [this, r, replace] { buildEnded(r, replace); }, Qt::QueuedConnection);
    });
    m_thread->start();
}

void frmLinuxPackage::buildEnded(const LinuxPackage::Result &result, bool replace) {
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_result = result;
    setBusy(false);
    lblProgress->clear();
    if (!result.ok && result.error == AlreadyExists && !replace) {
        if (EditorMessages::ask(this, QStringLiteral("Caution!"),
                                QStringLiteral("A file with the name you specified already "
                                               "exists. Do you want to replace it?"),
                                Status::Icon::Exclamation,
                                EngineHost::Buttons::OkCancel) == EngineHost::Answer::Ok)
            startBuild(true);
        return;
    }
    if (!result.ok) {
        if (result.error != QLatin1String("Cancelled."))
            EditorMessages::ask(this, QStringLiteral("Error"), result.error,
                                Status::Icon::Critical);
        emit finished(false);
        return;
    }
    QStringList shown;
    for (const QString &out : result.outputs)
        shown << QDir::toNativeSeparators(out);
    EditorMessages::ask(this, QStringLiteral("Create Linux package"),
                        QStringLiteral("The package has been created (%1):\n\n%2")
                            .arg(QLocale().formattedDataSize(result.bytes), shown.join('\n')),
                        Status::Icon::Information);
    emit finished(true);
    accept();
}

void frmLinuxPackage::reject() {
    if (m_thread) {
        m_package->cancel(); // the build stops at its next step, then the dialog closes
        connect(this, &frmLinuxPackage::finished, this, &QDialog::reject, Qt::UniqueConnection);
        return;
    }
    QDialog::reject();
}
