#include "frmCompile.h"

#include "AnimatedCopy.h"
#include "DistributionBuild.h"
#include "EditorMessages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

QPushButton *button(const QString &caption, QWidget *parent) {
    auto *b = new QPushButton(caption, parent);
    b->setAccessibleName(caption);
    return b;
}

QCheckBox *checkBox(const QString &caption, QWidget *parent) {
    auto *c = new QCheckBox(caption, parent);
    c->setAccessibleName(caption);
    return c;
}

} // namespace

frmCompile::frmCompile(const EditorProject &project, const QString &editorFolder, QWidget *parent)
    : QDialog(parent), m_project(project), m_editorFolder(editorFolder) {
    setWindowTitle(QStringLiteral("Create .EXE"));
    m_pages = new QStackedWidget(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    buildFirstPage();
    buildOptionsPage();
    buildWaitingPage();
    SetDefaults();
    m_pages->setCurrentIndex(FirstPage);
}

frmCompile::~frmCompile() = default;

void frmCompile::buildFirstPage() {
    auto *page = new QWidget(m_pages);
    auto *form = new QFormLayout;
    txtFileName = new QLineEdit(m_project.general.SoftwareTitle + QStringLiteral(".exe"), page);
    txtFileName->setAccessibleName(QStringLiteral("File name"));
    form->addRow(QStringLiteral("&File name:"), txtFileName);
    QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty())
        desktop = QDir::homePath();
    txtLocation = new QLineEdit(QDir::toNativeSeparators(desktop), page);
    txtLocation->setAccessibleName(QStringLiteral("Location"));
    cmdBrowse = button(QStringLiteral("Browse..."), page);
    auto *where = new QHBoxLayout;
    where->addWidget(txtLocation, 1);
    where->addWidget(cmdBrowse);
    form->addRow(QStringLiteral("&Location:"), where);
    cmdOptions = button(QStringLiteral("Options..."), page);
    cmdOK = button(QStringLiteral("OK"), page);
    cmdCancel = button(QStringLiteral("Cancel"), page);
    cmdOK->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdOptions);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *v = new QVBoxLayout(page);
    v->addLayout(form);
    v->addLayout(buttons);
    m_pages->addWidget(page);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmCompile::browse);
    connect(cmdOptions, &QPushButton::clicked, this,
            [this] { m_pages->setCurrentIndex(OptionsPage); });
    connect(cmdOK, &QPushButton::clicked, this, &frmCompile::StartCompilation);
    connect(cmdCancel, &QPushButton::clicked, this, &frmCompile::reject);
}

void frmCompile::buildOptionsPage() {
    auto *page = new QWidget(m_pages);
    Color = new QComboBox(page);
    Color->addItems(installerColors());
    Color->setAccessibleName(QStringLiteral("Installation background colour"));
    CheckEnable = checkBox(QStringLiteral("Let anyone edit my software with Quillmoor (do not "
                                          "hide project resources)."),
                           page);
    CheckRunFromCD =
        checkBox(QStringLiteral("Run from CD (do not copy project files to the hard-disk)."), page);
    Check2 = checkBox(QStringLiteral("Do not distribute the other system files (540KB)."), page);
    chkVersion6 = checkBox(
        QStringLiteral("Write the script for the current setup compiler (version 6)"), page);
    auto *cmdDefault = button(QStringLiteral("Default"), page);
    auto *cmdOptionsOK = button(QStringLiteral("OK"), page);
    cmdOptionsOK->setAccessibleName(QStringLiteral("OK (options)"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Installation &background colour:"), Color);
    auto *v = new QVBoxLayout(page);
    v->addLayout(form);
    for (QCheckBox *c : {CheckEnable, CheckRunFromCD, Check2, chkVersion6})
        v->addWidget(c);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdDefault);
    buttons->addStretch(1);
    buttons->addWidget(cmdOptionsOK);
    v->addLayout(buttons);
    m_pages->addWidget(page);
    connect(cmdDefault, &QPushButton::clicked, this, &frmCompile::SetDefaults);
    connect(cmdOptionsOK, &QPushButton::clicked, this,
            [this] { m_pages->setCurrentIndex(FirstPage); });
    connect(CheckRunFromCD, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            CheckEnable->setChecked(false);
        CheckEnable->setEnabled(!on);
    });
    connect(Check2, &QCheckBox::clicked, this, [this](bool on) {
        if (on && !ask({QString(),
                        QStringLiteral("WARNING! The selected system files are required by the "
                                       "software you are distributing."),
                        Status::Icon::Exclamation}))
            Check2->setChecked(false);
    });
}

void frmCompile::buildWaitingPage() {
    auto *page = new QWidget(m_pages);
    lblWaiting = new QLabel(page);
    lblWaiting->setWordWrap(true);
    txtOutput = new QPlainTextEdit(page);
    txtOutput->setReadOnly(true);
    txtOutput->setAccessibleName(QStringLiteral("Setup Compiler output"));
    txtOutput->hide();
    auto *v = new QVBoxLayout(page);
    v->addWidget(lblWaiting);
    v->addWidget(txtOutput, 1);
    m_pages->addWidget(page);
}

void frmCompile::browse() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Location"), txtLocation->text());
    if (!folder.isEmpty())
        txtLocation->setText(QDir::toNativeSeparators(folder));
}

int frmCompile::currentPage() const {
    return m_pages->currentIndex();
}

BuildOptions frmCompile::options() const {
    BuildOptions o;
    o.fileName = txtFileName->text();
    o.location = txtLocation->text();
    o.colorIndex = Color->currentIndex();
    o.CheckEnable = CheckEnable->isChecked();
    o.CheckRunFromCD = CheckRunFromCD->isChecked();
    o.Check2 = Check2->isChecked();
    o.version6 = chkVersion6->isChecked();
    return o;
}

void frmCompile::SetDefaults() {
    Color->setCurrentIndex(0);
    for (QCheckBox *c : {CheckEnable, CheckRunFromCD, Check2, chkVersion6})
        c->setChecked(false);
    CheckEnable->setEnabled(true);
}

void frmCompile::StartCompilation() {
    if (m_building)
        return;
    m_building = true;
    m_closeWhenDone = false;
    m_pages->widget(FirstPage)->setEnabled(false);
    DistributionBuild build(m_project.paths, m_editorFolder, *this);
    build.start(options());
    m_building = false;
    m_pages->widget(FirstPage)->setEnabled(true);
    if (m_pages->currentIndex() == WaitingPage)
        m_pages->setCurrentIndex(FirstPage);
    if (m_closeWhenDone)
        accept();
}

void frmCompile::reject() {
    // The build waits on the compiler or a copy; it ends through its own messages.
    if (!m_building)
        QDialog::reject();
}

bool frmCompile::ask(const BuildMessage &m) {
    return EditorMessages::ask(this, m.title, m.text, m.icon, EngineHost::Buttons::OkCancel) ==
           EngineHost::Answer::Ok;
}

void frmCompile::tell(const BuildMessage &m) {
    EditorMessages::ask(this, m.title, m.text, m.icon);
}

void frmCompile::showWaitingPage(const QString &text) {
    lblWaiting->setText(text);
    txtOutput->clear();
    txtOutput->hide();
    m_pages->setCurrentIndex(WaitingPage);
}

void frmCompile::compilerOutput(const QString &text) {
    txtOutput->show();
    txtOutput->moveCursor(QTextCursor::End);
    txtOutput->insertPlainText(text);
}

void frmCompile::showFirstPage() {
    m_pages->setCurrentIndex(FirstPage);
}

void frmCompile::closeDialog() {
    m_closeWhenDone = true;
}

// Called from the build's worker thread: QImage reads and writes there as well.
bool frmCompile::writeIcon(const QString &picture, const QString &png) {
    const QImage image(picture);
    return !image.isNull() && image.save(png, "PNG");
}

void frmCompile::copyStarted(AnimatedCopy &copy) {
    m_progress =
        new QProgressDialog(AnimatedCopy::title(), QStringLiteral("Cancel"), 0, 1000, this);
    m_progress->setWindowTitle(AnimatedCopy::title());
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(0);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    connect(m_progress, &QProgressDialog::canceled, &copy, [&copy] { copy.cancel(); });
    connect(&copy, &AnimatedCopy::progress, m_progress,
            [this](int files, int filesTotal, qint64 bytes, qint64 bytesTotal) {
                const QLocale locale;
                m_progress->setLabelText(QStringLiteral("%1\n%2 of %3 files, %4 of %5")
                                             .arg(AnimatedCopy::title())
                                             .arg(files)
                                             .arg(filesTotal)
                                             .arg(locale.formattedDataSize(bytes),
                                                  locale.formattedDataSize(bytesTotal)));
                m_progress->setValue(bytesTotal > 0
                                         ? int(bytes * 1000 / bytesTotal)
                                         : (filesTotal > 0 ? files * 1000 / filesTotal : 1000));
            });
    m_progress->show();
}

void frmCompile::copyFinished(AnimatedCopy &) {
    delete m_progress;
    m_progress = nullptr;
}
