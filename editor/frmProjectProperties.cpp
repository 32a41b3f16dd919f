#include "frmProjectProperties.h"

#include "CustomTexts.h"
#include "DialogControls.h"
#include "EditorMessages.h"
#include "FrameFiles.h"
#include "NameRules.h"
#include "PresetFile.h"
#include "PresetFolder.h"
#include "ProjectIntegrity.h"
#include "ProjectSkeleton.h"
#include "ProjectVersion.h"
#include "SchemeFile.h"
#include "SchemeFolders.h"
#include "TitleView.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using Answer = EngineHost::Answer;

const int kSizes[3][2] = {{320, 200}, {320, 240}, {640, 480}};

QLineEdit *field(const QString &accessibleName, QWidget *parent) {
    auto *e = new QLineEdit(parent);
    e->setAccessibleName(accessibleName);
    return e;
}

} // namespace

frmProjectProperties::frmProjectProperties(const EditorProject &project,
                                           const EditorFolders &folders, QWidget *parent)
    : QDialog(parent), m_project(project), m_folders(folders) {
    build();
    LoadProject();
}

frmProjectProperties::frmProjectProperties(const QString &newRoot, const EditorFolders &folders,
                                           QWidget *parent)
    : QDialog(parent), m_folders(folders), m_new(true), m_newRoot(withTrailingSeparator(newRoot)) {
    build();
    m_holdPreview = true;
    const QString name = QFileInfo(QDir::cleanPath(newRoot)).fileName();
    txtProjectName->setText(name);
    optSize[2]->setChecked(true);
    txtWidth->setText(QStringLiteral("640"));
    txtHeight->setText(QStringLiteral("480"));
    optSound[1]->setChecked(true);
    optTexts[1]->setChecked(true);
    LoadPreset(gamesPresetName());
    RefreshComboBoxes();
    LoadScheme(QString());
    RefreshEnabled();
    m_holdPreview = false;
    RefreshPreview();
}

void frmProjectProperties::build() {
    setWindowTitle(QStringLiteral("Project Properties"));
    auto *layout = new QVBoxLayout(this);
    tabs = new QTabWidget(this);
    layout->addWidget(tabs);

    auto *general = new QWidget(tabs);
    auto *g = new QVBoxLayout(general);
    auto *info = new QFormLayout;
    txtProjectName = field(QStringLiteral("Project Name"), general);
    txtSoftwareTitle = field(QStringLiteral("Software Title"), general);
    txtComments = field(QStringLiteral("Comments and Version"), general);
    info->addRow(QStringLiteral("Project Name :"), txtProjectName);
    info->addRow(QStringLiteral("Software Title :"), txtSoftwareTitle);
    info->addRow(QStringLiteral("Comments and Version:"), txtComments);
    g->addLayout(info);
    auto *note = new QLabel(QStringLiteral("Note: \"Comments and Version\" will appear on the "
                                           "Installation program and on the Initial Screen."),
                            general);
    note->setWordWrap(true);
    g->addWidget(note);
    auto *author =
        new QGroupBox(QStringLiteral("Author Info (will appear on the initial screen):"), general);
    auto *a = new QFormLayout(author);
    txtAuthor = field(QStringLiteral("Author name"), author);
    txtEmail = field(QStringLiteral("Author e-mail"), author);
    txtHomepage = field(QStringLiteral("Author Web site"), author);
    a->addRow(QStringLiteral("Author name :"), txtAuthor);
    a->addRow(QStringLiteral("Author e-mail :"), txtEmail);
    a->addRow(QStringLiteral("Author Web site :"), txtHomepage);
    g->addWidget(author);
    tabs->addTab(general, QStringLiteral("General"));

    auto *screen = new QWidget(tabs);
    auto *s = new QVBoxLayout(screen);
    auto *size = new QGroupBox(QStringLiteral("Screen Size (resolution):"), screen);
    auto *sz = new QGridLayout(size);
    auto *sizeGroup = new QButtonGroup(this);
    const char *const sizes[] = {"320 x 200", "320 x 240", "640 x 480", "Custom size"};
    for (int i = 0; i < 4; ++i) {
        optSize[i] = new QRadioButton(QString::fromLatin1(sizes[i]), size);
        sizeGroup->addButton(optSize[i]);
        sz->addWidget(optSize[i], i, 0);
        connect(optSize[i], &QRadioButton::clicked, this, [this, i] {
            if (i < 3) {
                txtWidth->setText(QString::number(kSizes[i][0]));
                txtHeight->setText(QString::number(kSizes[i][1]));
            }
            RefreshEnabled();
        });
    }
    txtWidth = field(QStringLiteral("Width"), size);
    txtHeight = field(QStringLiteral("Height"), size);
    sz->addWidget(txtWidth, 3, 1);
    sz->addWidget(txtHeight, 3, 2);
    s->addWidget(size);
    chkResolution = new QCheckBox(QStringLiteral("Show the option \"Change display resolution to "
                                                 "640 x 480\" on the initial window "
                                                 "(recommended)."),
                                  screen);
    s->addWidget(chkResolution);
    auto *initialLabel = new QLabel(QStringLiteral("Initial &Frame:"), screen);
    cboInitialFrame = new QComboBox(screen);
    cboInitialFrame->setAccessibleName(QStringLiteral("Initial Frame"));
    initialLabel->setBuddy(cboInitialFrame);
    s->addWidget(initialLabel);
    s->addWidget(cboInitialFrame);
    s->addWidget(new QLabel(
        QStringLiteral("This is the first frame that appears when your software starts."), screen));
    auto *options = new QGroupBox(
        QStringLiteral("Options (recommended if the project is not a game):"), screen);
    auto *o = new QVBoxLayout(options);
    chkHideSave = new QCheckBox(QStringLiteral("Hide the \"Save\" button."), options);
    chkHideLoad = new QCheckBox(QStringLiteral("Hide the \"Load\" button."), options);
    o->addWidget(chkHideSave);
    o->addWidget(chkHideLoad);
    s->addWidget(options);
    auto *sound = new QGroupBox(QStringLiteral("Sound Effects:"), screen);
    auto *so = new QVBoxLayout(sound);
    optSound[0] = new QRadioButton(QStringLiteral("High quality single-channel."), sound);
    optSound[1] =
        new QRadioButton(QStringLiteral("Low quality multi-channel with \"loop\" option."), sound);
    so->addWidget(optSound[0]);
    so->addWidget(optSound[1]);
    s->addWidget(sound);
    s->addStretch();
    tabs->addTab(screen, QStringLiteral("Screen and Options"));

    auto *texts = new QWidget(tabs);
    auto *t = new QVBoxLayout(texts);
    auto *kind = new QGroupBox(QStringLiteral("Software Texts:"), texts);
    auto *k = new QVBoxLayout(kind);
    const char *const kinds[] = {"Default texts for APPLICATIONS (English).",
                                 "Default texts for GAMES (English).", "Other..."};
    for (int i = 0; i < 3; ++i) {
        optTexts[i] = new QRadioButton(QString::fromLatin1(kinds[i]), kind);
        k->addWidget(optTexts[i]);
        connect(optTexts[i], &QRadioButton::clicked, this, &frmProjectProperties::RefreshEnabled);
    }
    t->addWidget(kind);
    auto *presets = new QHBoxLayout;
    auto *presetLabel = new QLabel(QStringLiteral("&Presets:"), texts);
    cboPresets = new QComboBox(texts);
    cboPresets->setAccessibleName(QStringLiteral("Presets"));
    presetLabel->setBuddy(cboPresets);
    cmdSaveAs = new QPushButton(QStringLiteral("Save As..."), texts);
    cmdDeletePreset = new QPushButton(QStringLiteral("Delete"), texts);
    cmdDeletePreset->setAccessibleName(QStringLiteral("Delete"));
    cmdDeletePreset->setAccessibleDescription(QStringLiteral("Delete Preset"));
    presets->addWidget(presetLabel);
    presets->addWidget(cboPresets, 1);
    presets->addWidget(cmdSaveAs);
    presets->addWidget(cmdDeletePreset);
    t->addLayout(presets);
    connect(cboPresets, &QComboBox::activated, this,
            [this](int) { LoadPreset(cboPresets->currentText()); });
    connect(cmdSaveAs, &QPushButton::clicked, this, &frmProjectProperties::SavePresetAs);
    connect(cmdDeletePreset, &QPushButton::clicked, this, &frmProjectProperties::DeletePreset);
    auto *scroll = new QScrollArea(texts);
    auto *slotTexts = new QWidget(scroll);
    auto *sl = new QFormLayout(slotTexts);
    for (int i = 0; i < 44; ++i) {
        // Named by its label, "1." to "n.", like every labelled field.
        txtText[i] = field(QStringLiteral("%1.").arg(i + 1), slotTexts);
        txtText[i]->setAccessibleDescription(QStringLiteral("Text %1").arg(i + 1));
        sl->addRow(QStringLiteral("%1.").arg(i + 1), txtText[i]);
    }
    scroll->setWidget(slotTexts);
    scroll->setWidgetResizable(true);
    t->addWidget(scroll, 1);
    tabs->addTab(texts, QStringLiteral("Customize Texts"));

    auto *graphics = new QWidget(tabs);
    auto *graphicsRow = new QHBoxLayout(graphics);
    auto *gr = new QVBoxLayout;
    graphicsRow->addLayout(gr, 1);
    auto *preview = new QGroupBox(QStringLiteral("Preview:"), graphics);
    auto *pv = new QVBoxLayout(preview);
    titlePreview = new TitleView(preview);
    titlePreview->setInteractive(false);
    titlePreview->setAccessibleName(QStringLiteral("Initial screen preview"));
    pv->addWidget(titlePreview);
    pv->addStretch();
    graphicsRow->addWidget(preview, 0, Qt::AlignTop);
    auto *schemeLabel = new QLabel(QStringLiteral("&Scheme:"), graphics);
    cboScheme = new QComboBox(graphics);
    cboScheme->setAccessibleName(QStringLiteral("Scheme"));
    schemeLabel->setBuddy(cboScheme);
    gr->addWidget(schemeLabel);
    auto *schemeRow = new QHBoxLayout;
    schemeRow->addWidget(cboScheme, 1);
    cmdNewScheme = new QPushButton(QStringLiteral("New..."), graphics);
    cmdDeleteScheme = new QPushButton(QStringLiteral("Delete"), graphics);
    cmdDeleteScheme->setAccessibleName(QStringLiteral("Delete"));
    cmdDeleteScheme->setAccessibleDescription(QStringLiteral("Delete Scheme"));
    schemeRow->addWidget(cmdNewScheme);
    schemeRow->addWidget(cmdDeleteScheme);
    gr->addLayout(schemeRow);
    auto *pictures = new QFormLayout;
    const char *const pictureLabels[] = {"Start:", "Load:", "Exit:", "Tiled background:"};
    for (int i = 0; i < 4; ++i) {
        cmdPicture[i] = new QPushButton(QStringLiteral("[DEFAULT]"), graphics);
        cmdPicture[i]->setAccessibleDescription(QString::fromLatin1(pictureLabels[i]).chopped(1) +
                                                QStringLiteral(" picture"));
        pictures->addRow(QString::fromLatin1(pictureLabels[i]), cmdPicture[i]);
        connect(cmdPicture[i], &QPushButton::clicked, this, [this, i] { RefreshFilesList(i); });
    }
    const char *const colourLabels[] = {"Background:", "Title color:", "Buttons:", "Texts color:"};
    for (int i = 0; i < 4; ++i) {
        cmdColour[i] = new QPushButton(graphics);
        cmdColour[i]->setAccessibleName(QString::fromLatin1(colourLabels[i]).chopped(1));
        cmdColour[i]->setFixedWidth(60);
        pictures->addRow(QString::fromLatin1(colourLabels[i]), cmdColour[i]);
        connect(cmdColour[i], &QPushButton::clicked, this, [this, i] {
            const qint32 now[] = {m_scheme.BackgroundColor, m_scheme.TitleColor,
                                  m_scheme.ButtonsColor, m_scheme.TextsColor};
            const QColor c = QColorDialog::getColor(
                QColor(now[i] & 0xFF, (now[i] >> 8) & 0xFF, (now[i] >> 16) & 0xFF), this);
            if (c.isValid())
                setSchemeColour(i, c.red() | (c.green() << 8) | (c.blue() << 16));
        });
    }
    gr->addLayout(pictures);
    chkHideTitle = new QCheckBox(QStringLiteral("Hide title"), graphics);
    gr->addWidget(chkHideTitle);
    connect(chkHideTitle, &QCheckBox::toggled, this, [this](bool on) {
        if (m_loadingScheme)
            return;
        m_scheme.HideTitle = on ? 1 : 0;
        SaveScheme();
    });
    fraFileChooser = new QFrame(graphics);
    auto *chooser = new QVBoxLayout(fraFileChooser);
    auto *chooserLabel =
        new QLabel(QStringLiteral("Select a graphic file from the following list and click OK:"),
                   fraFileChooser);
    lstFiles = new QListWidget(fraFileChooser);
    lstFiles->setAccessibleName(QStringLiteral("Graphic files"));
    chooserLabel->setBuddy(lstFiles);
    auto *chooserButtons = new QHBoxLayout;
    auto *removeFile = new QPushButton(QStringLiteral("Remove"), fraFileChooser);
    removeFile->setAccessibleName(QStringLiteral("Remove graphic file"));
    auto *browse = new QPushButton(QStringLiteral("Browse..."), fraFileChooser);
    auto *ok = new QPushButton(QStringLiteral("OK"), fraFileChooser);
    ok->setAccessibleName(QStringLiteral("Use graphic file"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), fraFileChooser);
    cancel->setAccessibleName(QStringLiteral("Close graphic files"));
    for (QPushButton *b : {removeFile, browse, ok, cancel})
        chooserButtons->addWidget(b);
    chooser->addWidget(chooserLabel);
    chooser->addWidget(lstFiles);
    chooser->addLayout(chooserButtons);
    fraFileChooser->hide();
    gr->addWidget(fraFileChooser);
    connect(ok, &QPushButton::clicked, this, &frmProjectProperties::chooseFile);
    connect(lstFiles, &QListWidget::itemDoubleClicked, this, &frmProjectProperties::chooseFile);
    connect(removeFile, &QPushButton::clicked, this, &frmProjectProperties::removeChosenFile);
    connect(cancel, &QPushButton::clicked, fraFileChooser, &QWidget::hide);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString file = EditorMessages::chooseFile(this, DialogControls::pictureFilter());
        if (!file.isEmpty())
            addSchemeFile(file);
    });
    connect(cboScheme, &QComboBox::activated, this,
            [this](int) { LoadScheme(cboScheme->currentText()); });
    connect(cmdNewScheme, &QPushButton::clicked, this, &frmProjectProperties::CreateNewScheme);
    connect(cmdDeleteScheme, &QPushButton::clicked, this, &frmProjectProperties::RemoveScheme);
    gr->addStretch();
    tabs->addTab(graphics, QStringLiteral("Initial Screen Graphics"));

    // Every entry the title screen shows redraws the preview.
    for (QLineEdit *e : {txtSoftwareTitle, txtComments, txtAuthor, txtEmail, txtHomepage})
        connect(e, &QLineEdit::textChanged, this, &frmProjectProperties::RefreshPreview);
    for (QLineEdit *e : txtText)
        connect(e, &QLineEdit::textChanged, this, &frmProjectProperties::RefreshPreview);
    for (QCheckBox *c : {chkResolution, chkHideLoad})
        connect(c, &QCheckBox::toggled, this, &frmProjectProperties::RefreshPreview);
    for (QRadioButton *o : optTexts)
        connect(o, &QRadioButton::toggled, this, &frmProjectProperties::RefreshPreview);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmProjectProperties::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void frmProjectProperties::RefreshComboBoxes() {
    const QString initial = cboInitialFrame->currentText();
    cboInitialFrame->clear();
    if (!m_new)
        cboInitialFrame->addItems(FrameFiles(m_project.paths, SoundMode::MultiChannel).list());
    cboInitialFrame->setCurrentIndex(cboInitialFrame->findText(initial));
    const QString scheme = cboScheme->currentText();
    cboScheme->clear();
    cboScheme->addItem(QString());
    cboScheme->addItems(SchemeFolders(m_folders.schemes()).list());
    cboScheme->setCurrentIndex(qMax(0, cboScheme->findText(scheme)));
    const QString preset = cboPresets->currentText();
    cboPresets->clear();
    cboPresets->addItems(PresetFolder(m_folders.presets()).list());
    cboPresets->setCurrentIndex(cboPresets->findText(preset));
}

void frmProjectProperties::RefreshEnabled() {
    const bool custom = optSize[3]->isChecked();
    txtWidth->setEnabled(custom);
    txtHeight->setEnabled(custom);
    const bool other = optTexts[2]->isChecked();
    for (QLineEdit *e : txtText)
        e->setEnabled(other);
    cboPresets->setEnabled(other);
    cmdSaveAs->setEnabled(other);
    cmdDeletePreset->setEnabled(other);
}

void frmProjectProperties::LoadProject() {
    const bool held = m_holdPreview;
    m_holdPreview = true;
    GeneralInfo g;
    readGeneral(m_project.paths.ConfigPath() + QStringLiteral("General"), g, GeneralReader::Editor);
    txtProjectName->setText(g.ProjectName);
    txtSoftwareTitle->setText(g.SoftwareTitle);
    txtComments->setText(g.CommentsAndVersion);
    txtAuthor->setText(g.Author);
    txtEmail->setText(g.Email);
    txtHomepage->setText(g.Homepage);
    optSize[qBound(0, g.ScreenSizeChoice, 3)]->setChecked(true);
    txtWidth->setText(QString::number(g.ScreenWidth));
    txtHeight->setText(QString::number(g.ScreenHeight));
    chkResolution->setChecked(g.ShowChangeResolution != 0);
    chkHideSave->setChecked(g.HideSave);
    chkHideLoad->setChecked(g.HideLoad);
    optSound[g.SingleChannelAudio ? 0 : 1]->setChecked(true);
    optTexts[qBound(0, g.TextsKind, 2)]->setChecked(true);
    RefreshComboBoxes();
    cboInitialFrame->setCurrentIndex(cboInitialFrame->findText(g.InitialFrame));
    cboScheme->setCurrentIndex(qMax(0, cboScheme->findText(g.SchemeName)));
    LoadScheme(cboScheme->currentText());
    TextsFile texts;
    if (readTexts(m_project.paths.ConfigPath() + QStringLiteral("Texts"), texts)) {
        for (int i = 0; i < 44; ++i)
            txtText[i]->setText(texts.Slots.value(i));
        cboPresets->setCurrentIndex(cboPresets->findText(texts.PresetName));
    } else {
        LoadPreset(g.TextsKind == 0 ? applicationsPresetName() : gamesPresetName());
    }
    RefreshEnabled();
    m_holdPreview = held;
    RefreshPreview();
}

void frmProjectProperties::LoadPreset(const QString &preset) {
    QStringList slotTexts;
    if (preset.compare(applicationsPresetName(), Qt::CaseInsensitive) == 0) {
        slotTexts = CustomTexts::builtIn(CustomTexts::Applications).usedSlots();
    } else if (preset.compare(gamesPresetName(), Qt::CaseInsensitive) == 0) {
        slotTexts = CustomTexts::builtIn(CustomTexts::Games).usedSlots();
    } else {
        const QString path = PresetFolder(m_folders.presets()).path(preset);
        if (path.isEmpty() || !QFileInfo(path).isFile()) {
            EditorMessages::ask(this, QString(),
                                QStringLiteral("File Not Found '") +
                                    (path.isEmpty() ? preset : QDir::toNativeSeparators(path)) +
                                    QStringLiteral("'."),
                                Status::Icon::Information);
            return;
        }
        PresetFile file;
        if (!readPreset(path, file)) {
            EditorMessages::ask(this, QStringLiteral("Error"),
                                QStringLiteral("Unable to load the following preset: ") + preset,
                                Status::Icon::Critical);
            return;
        }
        slotTexts = file.Slots;
    }
    const bool held = m_holdPreview;
    m_holdPreview = true;
    for (int i = 0; i < 44; ++i)
        txtText[i]->setText(slotTexts.value(i));
    m_holdPreview = held;
    RefreshPreview();
    const int row = cboPresets->findText(preset, Qt::MatchFixedString);
    if (row >= 0)
        cboPresets->setCurrentIndex(row);
}

bool frmProjectProperties::SavePresetAs() {
    const QString name =
        EditorMessages::input(this, QStringLiteral("Save Preset"),
                              QStringLiteral("Enter the name of the Preset you want to save:"));
    if (name.isEmpty())
        return false;
    const Status check = NameRules::checkName(name);
    if (!check) {
        EditorMessages::show(this, check);
        return false;
    }
    if (isBuiltInPreset(name)) {
        EditorMessages::ask(this, QString(),
                            QStringLiteral("A Preset with the name you specified already exists "
                                           "and cannot be replaced. Specify a different name."),
                            Status::Icon::Information);
        return false;
    }
    PresetFolder folder(m_folders.presets());
    const QString path = folder.path(name);
    if (QFileInfo(path).isFile() &&
        EditorMessages::ask(this, QStringLiteral("Preset Already Exists"),
                            QStringLiteral("A Preset with the name you specified already exists. "
                                           "Do you want to replace it?"),
                            Status::Icon::Question, EngineHost::Buttons::YesNo) != Answer::Yes)
        return false;
    PresetFile preset;
    preset.PresetName = name;
    preset.WriterVersion = ProjectVersion::editorVersionText();
    const QDate today = QDate::currentDate();
    preset.SavedDate = savedDateText(today.year(), today.month(), today.day());
    for (QLineEdit *e : txtText)
        preset.Slots.append(e->text());
    if (!writePreset(path, preset)) {
        EditorMessages::ask(this, QStringLiteral("Error"), QStringLiteral("Unable to save Preset."),
                            Status::Icon::Critical);
        return false;
    }
    RefreshComboBoxes();
    cboPresets->setCurrentIndex(cboPresets->findText(QFileInfo(path).completeBaseName()));
    return true;
}

bool frmProjectProperties::DeletePreset() {
    const QString name = cboPresets->currentText();
    PresetFolder folder(m_folders.presets());
    // The refusals come before the question; the question before the file goes.
    if (!name.isEmpty() && !isBuiltInPreset(name) && QFileInfo(folder.path(name)).isFile() &&
        EditorMessages::ask(this, QStringLiteral("Remove Preset"),
                            QStringLiteral("Do you really want to remove the Preset '") + name +
                                QStringLiteral("'?"),
                            Status::Icon::Question, EngineHost::Buttons::YesNo) != Answer::Yes)
        return false;
    if (!folder.remove(name)) {
        EditorMessages::show(this, folder.status());
        return false;
    }
    RefreshComboBoxes();
    return true;
}

bool frmProjectProperties::refuse(int tab, const QString &text, Status::Icon icon) {
    tabs->setCurrentIndex(tab);
    EditorMessages::ask(this, QString(), text, icon);
    return false;
}

GeneralInfo frmProjectProperties::fromControls() const {
    GeneralInfo g;
    g.ProjectName = txtProjectName->text();
    g.SoftwareTitle = txtSoftwareTitle->text();
    g.CommentsAndVersion = txtComments->text();
    g.Author = txtAuthor->text();
    g.Email = txtEmail->text();
    g.Homepage = txtHomepage->text();
    for (int i = 0; i < 4; ++i) {
        if (optSize[i]->isChecked())
            g.ScreenSizeChoice = i;
    }
    g.ScreenWidth = txtWidth->text().toDouble();
    g.ScreenHeight = txtHeight->text().toDouble();
    g.ShowChangeResolution = chkResolution->isChecked() ? 1 : 0;
    g.InitialFrame = cboInitialFrame->currentText();
    g.SchemeName = cboScheme->currentText();
    g.SingleChannelAudio = optSound[0]->isChecked();
    g.HideLoad = chkHideLoad->isChecked();
    g.HideSave = chkHideSave->isChecked();
    for (int i = 0; i < 3; ++i) {
        if (optTexts[i]->isChecked())
            g.TextsKind = i;
    }
    return g;
}

void frmProjectProperties::confirm() {
    const GeneralInfo g = fromControls();
    if (g.SoftwareTitle.isEmpty()) {
        refuse(0, QStringLiteral("Please enter a valid title for your software."));
        return;
    }
    const Status title = NameRules::checkName(g.SoftwareTitle);
    if (!title) {
        refuse(0, title.text(), title.icon());
        return;
    }
    for (const QString &text :
         {g.SoftwareTitle, g.CommentsAndVersion, g.Author, g.Email, g.Homepage}) {
        if (NameRules::hasQuotationMark(text)) {
            refuse(0, QStringLiteral("You cannot use quotation marks: \""));
            return;
        }
    }
    // The 44 texts are stored whatever the choice, so a quote is refused in any of them (it
    // would break Config/Texts).
    {
        for (QLineEdit *e : txtText) {
            if (NameRules::hasQuotationMark(e->text())) {
                refuse(2, QStringLiteral("You cannot use quotation marks. Please remove them, and "
                                         "then try again.\n\nThe problem is in the following "
                                         "text: ") +
                              e->text());
                return;
            }
        }
    }
    bool wOk = false, hOk = false;
    const double w = txtWidth->text().toDouble(&wOk), h = txtHeight->text().toDouble(&hOk);
    if (!wOk || !hOk || w == 0 || h == 0 || w > 2049 || h > 2049 || w < 10 || h < 10) {
        refuse(1, QStringLiteral("Please select a valid screen size."));
        return;
    }
    if ((w > 640 || h > 480) &&
        EditorMessages::ask(this, QStringLiteral("Warning!"),
                            QStringLiteral("Warning! To assure compatibility with most systems the "
                                           "screen size should not be larger than 640*480.\n\nDo "
                                           "you want to continue anyway? (not recommended)"),
                            Status::Icon::Exclamation, EngineHost::Buttons::YesNo) != Answer::Yes) {
        tabs->setCurrentIndex(1);
        return;
    }
    if (write())
        accept();
}

bool frmProjectProperties::write() {
    if (m_new) {
        const QString clean = QDir::cleanPath(m_newRoot);
        ProjectPaths paths;
        const Status s = createProjectSkeleton(QFileInfo(clean).path(), QFileInfo(clean).fileName(),
                                               m_folders.icons(), paths);
        if (!s) {
            EditorMessages::show(this, s);
            return false;
        }
        m_project.paths = paths;
        m_new = false;
    }
    GeneralInfo g = fromControls();
    g.GeneralFilePath = m_project.paths.ConfigPath() + QStringLiteral("General");
    Status s = ProjectIntegrity::write(m_project.paths.root(), g.ProjectName);
    if (s)
        s = writeGeneral(g.GeneralFilePath, g);
    if (s) {
        TextsFile texts;
        texts.TextsKind = g.TextsKind;
        texts.WriterVersion = ProjectVersion::editorVersionText();
        texts.PresetName = cboPresets->currentText();
        for (QLineEdit *e : txtText)
            texts.Slots.append(e->text());
        s = writeTexts(m_project.paths.ConfigPath() + QStringLiteral("Texts"), texts);
    }
    if (!s) {
        EditorMessages::show(this, s);
        return false;
    }
    m_project.general = g;
    return true;
}

// --- schemes

namespace {

SchemeFile defaultScheme(const QString &name) {
    SchemeFile s;
    s.SchemeName = name;
    s.BackgroundColor = 0x000000;
    s.TitleColor = 0xFFFFFF;
    s.TextsColor = 0xFF0080;
    s.ButtonsColor = 0xFF0080;
    return s;
}

} // namespace

void frmProjectProperties::showSchemeControls() {
    const bool chosen = !m_scheme.SchemeName.isEmpty();
    const QString pictures[] = {m_scheme.StartPicture, m_scheme.LoadPicture, m_scheme.ExitPicture,
                                m_scheme.TiledBackground};
    const qint32 colours[] = {m_scheme.BackgroundColor, m_scheme.TitleColor, m_scheme.ButtonsColor,
                              m_scheme.TextsColor};
    for (int i = 0; i < 4; ++i) {
        cmdPicture[i]->setText(pictures[i]);
        cmdPicture[i]->setEnabled(chosen);
        cmdColour[i]->setEnabled(chosen);
        cmdColour[i]->setStyleSheet(
            QStringLiteral("background-color: %1")
                .arg(QColor(colours[i] & 0xFF, (colours[i] >> 8) & 0xFF, (colours[i] >> 16) & 0xFF)
                         .name()));
    }
    m_loadingScheme = true;
    chkHideTitle->setChecked(m_scheme.HideTitle != 0);
    m_loadingScheme = false;
    chkHideTitle->setEnabled(chosen);
    cmdDeleteScheme->setEnabled(chosen);
    RefreshPreview();
}

TitleScreen frmProjectProperties::previewScreen() const {
    GeneralInfo g = fromControls();
    g.SchemeName = m_scheme.SchemeName;
    CustomTexts texts;
    if (optTexts[2]->isChecked()) {
        for (int i = 0; i < 44; ++i)
            texts.setText(i + 1, txtText[i]->text());
    } else {
        texts = CustomTexts::builtIn(optTexts[0]->isChecked() ? CustomTexts::Applications
                                                              : CustomTexts::Games);
    }
    TitleScreen t;
    t.generalRead = true;
    // The scheme as the player reads it: every change to it is already written.
    t.present(g, texts, m_folders.schemes(), false, chkResolution->isChecked());
    return t;
}

void frmProjectProperties::RefreshPreview() {
    if (!m_holdPreview)
        titlePreview->setScreen(previewScreen(), previewScale());
}

void frmProjectProperties::LoadScheme(const QString &scheme) {
    m_scheme = defaultScheme(scheme);
    fraFileChooser->hide();
    if (!scheme.isEmpty()) {
        const QString file = SchemeFolders(m_folders.schemes()).schemeFile(scheme);
        SchemeFile read;
        if (QFileInfo(file).isFile()) {
            if (readScheme(file, read)) {
                m_scheme = read;
                m_scheme.SchemeName = scheme;
            } else {
                EditorMessages::ask(
                    this, QStringLiteral("Error Loading Scheme"),
                    QStringLiteral("Unable to load the following scheme file: ") + file +
                        QStringLiteral("\n\nThe scheme may be corrupted, some scheme files may be "
                                       "missing or the scheme may have been created with a "
                                       "different version of Quillmoor. To change the scheme, go "
                                       "to the project properties and click the 'Initial Screen "
                                       "Graphics' tab."),
                    Status::Icon::Critical);
            }
        }
    }
    showSchemeControls();
}

bool frmProjectProperties::SaveScheme() {
    if (m_scheme.SchemeName.isEmpty())
        return false;
    SchemeFolders schemes(m_folders.schemes());
    m_scheme.WriterVersion = ProjectVersion::editorVersionText();
    const QDate today = QDate::currentDate();
    m_scheme.SavedDate = savedDateText(today.year(), today.month(), today.day());
    const QString folder = schemes.schemeFolder(m_scheme.SchemeName);
    const Status s = writeScheme(folder + QStringLiteral("Scheme.txt"), m_scheme);
    showSchemeControls();
    if (!s) {
        EditorMessages::ask(this, QStringLiteral("Error Saving Scheme"), s.text(),
                            Status::Icon::Critical);
        return false;
    }
    return true;
}

bool frmProjectProperties::CreateNewScheme() {
    if (EditorMessages::ask(this, QStringLiteral("Create New Scheme"),
                            QStringLiteral("This will create a new folder inside the Schemes "
                                           "folder of Quillmoor. To distribute the Scheme or to "
                                           "give it to another Quillmoor user, just copy the new "
                                           "folder with all its contents. Do you want to "
                                           "continue?"),
                            Status::Icon::Information, EngineHost::Buttons::OkCancel) != Answer::Ok)
        return false;
    const QString name = EditorMessages::input(this, QStringLiteral("Enter Scheme Name"),
                                               QStringLiteral("Give a name to the new scheme:"));
    if (name.isEmpty())
        return false;
    SchemeFolders schemes(m_folders.schemes());
    if (!schemes.create(name)) {
        EditorMessages::show(this, schemes.status());
        return false;
    }
    RefreshComboBoxes();
    cboScheme->setCurrentIndex(cboScheme->findText(name));
    LoadScheme(name);
    return true;
}

bool frmProjectProperties::RemoveScheme() {
    const QString name = cboScheme->currentText();
    SchemeFolders schemes(m_folders.schemes());
    if (!name.isEmpty() &&
        EditorMessages::ask(this, QStringLiteral("Confirm Removal?"),
                            QStringLiteral("Do you really want to remove the folder: ") +
                                schemes.schemeFolder(name) +
                                QStringLiteral(" and all its contents? (All the graphic files "
                                               "will be removed!)"),
                            Status::Icon::Question, EngineHost::Buttons::YesNo) != Answer::Yes)
        return false;
    if (!schemes.remove(name)) {
        EditorMessages::show(this, schemes.status());
        return false;
    }
    RefreshComboBoxes();
    cboScheme->setCurrentIndex(0);
    LoadScheme(QString());
    return true;
}

bool frmProjectProperties::RefreshFilesList(int slot) {
    SchemeFolders schemes(m_folders.schemes());
    QStringList files;
    if (!schemes.pictures(m_scheme.SchemeName, files)) {
        EditorMessages::show(this, schemes.status());
        return false;
    }
    m_chooserSlot = slot;
    lstFiles->clear();
    lstFiles->addItems(files);
    fraFileChooser->show();
    return true;
}

bool frmProjectProperties::chooseFile() {
    const QListWidgetItem *item = lstFiles->currentItem();
    if (!item) {
        EditorMessages::ask(this, QStringLiteral("File Removal"),
                            QStringLiteral("Select the graphic file you want to use."),
                            Status::Icon::Information);
        return false;
    }
    QString *pictures[] = {&m_scheme.StartPicture, &m_scheme.LoadPicture, &m_scheme.ExitPicture,
                           &m_scheme.TiledBackground};
    if (m_chooserSlot < 0 || m_chooserSlot > 3)
        return false;
    *pictures[m_chooserSlot] = item->text();
    fraFileChooser->hide();
    return SaveScheme();
}

bool frmProjectProperties::removeChosenFile() {
    const QListWidgetItem *item = lstFiles->currentItem();
    const QString file = item ? item->text() : QString();
    SchemeFolders schemes(m_folders.schemes());
    const bool builtIn = file.compare(QStringLiteral("[DEFAULT]"), Qt::CaseInsensitive) == 0 ||
                         file.compare(QStringLiteral("[NONE]"), Qt::CaseInsensitive) == 0;
    if (!file.isEmpty() && !builtIn &&
        EditorMessages::ask(this, QStringLiteral("Confirm Removal?"),
                            QStringLiteral("Do you really want to remove '") + file +
                                QStringLiteral(" ?"),
                            Status::Icon::Question, EngineHost::Buttons::YesNo) != Answer::Yes)
        return false;
    if (!schemes.removePicture(m_scheme.SchemeName, file)) {
        EditorMessages::show(this, schemes.status());
        return false;
    }
    return RefreshFilesList(m_chooserSlot);
}

bool frmProjectProperties::addSchemeFile(const QString &source) {
    SchemeFolders schemes(m_folders.schemes());
    if (!schemes.addPicture(m_scheme.SchemeName, source)) {
        EditorMessages::show(this, schemes.status());
        return false;
    }
    return RefreshFilesList(m_chooserSlot);
}

void frmProjectProperties::setSchemeColour(int which, qint32 colour) {
    qint32 *colours[] = {&m_scheme.BackgroundColor, &m_scheme.TitleColor, &m_scheme.ButtonsColor,
                         &m_scheme.TextsColor};
    if (which < 0 || which > 3)
        return;
    *colours[which] = colour;
    SaveScheme();
}
