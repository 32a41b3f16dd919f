// The two panels of the area properties dialog that take the place of its tabs for a while:
// the mouse pointers of the project and the variables available to the lists.

#include "frmAreaProperties.h"

#include "DataFiles.h"
#include "DialogControls.h"
#include "EditorMessages.h"
#include "PictureLoader.h"
#include "ProjectFiles.h"
#include "VariableRules.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using DialogControls::button;
using DialogControls::note;

namespace {

constexpr int kFileNameRole = Qt::UserRole;

QString selectedText(const QListWidget *list) {
    const QListWidgetItem *item = list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void info(QWidget *parent, const QString &text) {
    EditorMessages::ask(parent, QString(), text, Status::Icon::Information);
}

} // namespace

void frmAreaProperties::buildPointerPanel() {
    FrameMousePointers = new QFrame(this);
    FrameMousePointers->setFrameShape(QFrame::Box);
    FrameMousePointers->setAccessibleName(QStringLiteral("AVAILABLE MOUSE POINTERS :"));
    auto *p = new QVBoxLayout(FrameMousePointers);
    p->addWidget(new QLabel(QStringLiteral("AVAILABLE MOUSE POINTERS :"), FrameMousePointers));
    IconsListView = new QListWidget(FrameMousePointers);
    IconsListView->setViewMode(QListView::IconMode);
    IconsListView->setIconSize(QSize(32, 32));
    IconsListView->setResizeMode(QListView::Adjust);
    IconsListView->setMovement(QListView::Static);
    IconsListView->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::SelectedClicked);
    IconsListView->setAccessibleName(QStringLiteral("Available mouse pointers"));
    p->addWidget(IconsListView, 1);
    p->addWidget(note(QStringLiteral("Double-click the icon you want to be shown when the user "
                                     "moves the mouse over the selected area."),
                      FrameMousePointers));
    auto *row = new QHBoxLayout;
    Command3 = button(QStringLiteral("Browse..."), FrameMousePointers,
                      QStringLiteral("Browse mouse pointers..."));
    Command4 = button(QStringLiteral("Remove"), FrameMousePointers,
                      QStringLiteral("Remove mouse pointer"));
    Command18 =
        button(QStringLiteral("OK"), FrameMousePointers, QStringLiteral("Use mouse pointer"));
    Command21 = button(QStringLiteral("Cancel"), FrameMousePointers,
                       QStringLiteral("Close mouse pointers"));
    for (QPushButton *b : {Command3, Command4, Command18, Command21})
        row->addWidget(b);
    p->addLayout(row);
    connect(IconsListView, &QListWidget::itemActivated, this, &frmAreaProperties::usePointer);
    connect(Command18, &QPushButton::clicked, this, &frmAreaProperties::usePointer);
    connect(Command21, &QPushButton::clicked, this, [this] {
        FrameMousePointers->hide();
        SSTab1->show();
    });
    connect(Command4, &QPushButton::clicked, this, &frmAreaProperties::removePointer);
    connect(Command3, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                          QStringLiteral("Icons (*.ico *.cur)"));
        if (!file.isEmpty())
            addPointer(file);
    });
    connect(IconsListView, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        const QString from = item->data(kFileNameRole).toString();
        if (!from.isEmpty() && item->text() != from && !renamePointer(from, item->text())) {
            const QSignalBlocker quiet(IconsListView);
            item->setText(from);
        }
    });
}

void frmAreaProperties::RefreshIconsList() {
    const QSignalBlocker quiet(IconsListView);
    IconsListView->clear();
    if (m_project.paths.isEmpty())
        return;
    const QString folder = m_project.paths.IconsPath();
    for (const QString &name : DataFiles::list(folder, {".ico", ".cur"})) {
        auto *item = new QListWidgetItem(
            QIcon(QPixmap::fromImage(PictureLoader::load(folder + name))), name, IconsListView);
        item->setData(kFileNameRole, name);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
}

void frmAreaProperties::showPointerPanel() {
    RefreshIconsList();
    SSTab1->hide();
    FrameMousePointers->show();
    IconsListView->setFocus();
}

void frmAreaProperties::usePointer() {
    const QListWidgetItem *item = IconsListView->currentItem();
    if (!item || !item->isSelected()) {
        info(this, QStringLiteral("Please select an icon or a cursor. To add an icon or a cursor "
                                  "to the project, click 'Add...'"));
        return;
    }
    lblMousePointer->setText(item->data(kFileNameRole).toString());
    OpenMousePointer();
    FrameMousePointers->hide();
    SSTab1->show();
}

void frmAreaProperties::addPointer(const QString &sourcePath) {
    const QString folder = m_project.paths.IconsPath();
    const QString name = QFileInfo(sourcePath).fileName();
    if (QFileInfo::exists(ProjectFiles::existingVariant(folder + name))) {
        info(this, QStringLiteral("The selected icon already exists."));
        return;
    }
    DataFiles files;
    QString copied;
    if (!files.copyInto(folder, sourcePath, copied))
        EditorMessages::show(this, files.status());
    RefreshIconsList();
}

void frmAreaProperties::removePointer() {
    if (IconsListView->count() == 0) {
        info(this, QStringLiteral("No icons to remove."));
        return;
    }
    const QListWidgetItem *item = IconsListView->currentItem();
    if (!item)
        return;
    const QString name = item->data(kFileNameRole).toString();
    if (!DialogControls::confirmRemove(this, name))
        return;
    DataFiles files;
    if (!files.remove(m_project.paths.IconsPath(), name)) {
        EditorMessages::ask(this, QStringLiteral("Error Removing Icon"),
                            QStringLiteral("Unable to remove '") + name + QStringLiteral("'."),
                            Status::Icon::Critical);
        return;
    }
    delete IconsListView->takeItem(IconsListView->row(item));
    // Whichever pointer was removed, the area goes back to the normal one.
    lblMousePointer->setText(QStringLiteral("DEFAULT"));
    OpenMousePointer();
}

bool frmAreaProperties::renamePointer(const QString &from, const QString &typed) {
    const QString extension = from.mid(from.lastIndexOf(QLatin1Char('.')));
    QString to = typed.trimmed();
    if (!to.endsWith(extension, Qt::CaseInsensitive))
        to += extension;
    if (to.size() == extension.size() || to == from)
        return false;
    DataFiles files;
    if (!files.rename(m_project.paths.IconsPath(), from, to)) {
        EditorMessages::show(this, files.status());
        return false;
    }
    if (lblMousePointer->text() == from)
        lblMousePointer->setText(to);
    // The entry is renamed where it stands: this runs while the list view edits it.
    const QSignalBlocker quiet(IconsListView);
    for (int i = 0; i < IconsListView->count(); ++i) {
        QListWidgetItem *item = IconsListView->item(i);
        if (item->data(kFileNameRole).toString() == from) {
            item->setData(kFileNameRole, to);
            item->setText(to);
        }
    }
    return true;
}

void frmAreaProperties::OpenMousePointer() {
    const QString name = lblMousePointer->text();
    ImgMousePointer->clear();
    if (name.isEmpty() || name.compare(QStringLiteral("default"), Qt::CaseInsensitive) == 0)
        return;
    const QString path = ProjectFiles::existingVariant(m_project.paths.IconsPath() + name);
    const QImage image = m_project.paths.holds(path) ? PictureLoader::load(path) : QImage();
    if (image.isNull()) {
        EditorMessages::ask(this, QStringLiteral("Error Loading Mouse Pointer"),
                            QStringLiteral("Unable to load the selected mouse pointer."),
                            Status::Icon::Critical);
        return;
    }
    ImgMousePointer->setPixmap(
        QPixmap::fromImage(image).scaled(ImgMousePointer->size(), Qt::KeepAspectRatio));
}

void frmAreaProperties::buildVariablePanel() {
    FrameVariables = new QFrame(this);
    FrameVariables->setFrameShape(QFrame::Box);
    FrameVariables->setAccessibleName(QStringLiteral("ADD VARIABLE"));
    auto *v = new QVBoxLayout(FrameVariables);
    v->addWidget(new QLabel(QStringLiteral("ADD VARIABLE"), FrameVariables));
    v->addWidget(new QLabel(QStringLiteral(" Available Variables:"), FrameVariables));
    VariablesList = new QListWidget(FrameVariables);
    VariablesList->setAccessibleName(QStringLiteral("Available Variables"));
    v->addWidget(VariablesList, 1);
    auto *row = new QHBoxLayout;
    Command11 = button(QStringLiteral("Create New..."), FrameVariables,
                       QStringLiteral("Create New variable..."));
    Command12 = button(QStringLiteral("Remove"), FrameVariables, QStringLiteral("Remove variable"));
    CommandOK = button(QStringLiteral("OK"), FrameVariables, QStringLiteral("Add variable"));
    CommandCancel =
        button(QStringLiteral("Cancel"), FrameVariables, QStringLiteral("Close variables"));
    for (QPushButton *b : {Command11, Command12, CommandOK, CommandCancel})
        row->addWidget(b);
    v->addLayout(row);
    for (const char *text :
         {"To add a variable you can either select it and then click 'OK', or double-click on it.",
          "If the variable you want to add is not on the 'Available Variables' list, click "
          "'Create New'.",
          "To remove a variable from the 'Available Variables' list, select it and click "
          "'Remove'."})
        v->addWidget(note(QString::fromLatin1(text), FrameVariables));
    connect(VariablesList, &QListWidget::itemActivated, this,
            &frmAreaProperties::addSelectedVariable);
    connect(CommandOK, &QPushButton::clicked, this, &frmAreaProperties::addSelectedVariable);
    connect(CommandCancel, &QPushButton::clicked, this, [this] {
        FrameVariables->hide();
        SSTab1->show();
    });
    connect(Command11, &QPushButton::clicked, this, &frmAreaProperties::createVariable);
    connect(Command12, &QPushButton::clicked, this, &frmAreaProperties::removeAvailableVariable);
}

void frmAreaProperties::showVariablePanel(int list) {
    m_variableTarget = qBound(0, list, 4);
    SSTab1->hide();
    FrameVariables->show();
    VariablesList->setFocus();
}

void frmAreaProperties::addSelectedVariable() {
    const QString variable = selectedText(VariablesList);
    if (variable.isEmpty()) {
        info(this, QStringLiteral("Please select a variable."));
        return;
    }
    FrameVariables->hide();
    SSTab1->show();
    QStringList lists[5];
    for (int i = 0; i < 5; ++i) {
        for (int k = 0; k < SmallList[i]->count(); ++k)
            lists[i].append(SmallList[i]->item(k)->text());
    }
    if (!VariableRules::mayAdd(lists, m_variableTarget, variable)) {
        info(this, QStringLiteral("The selected variable is already on a list."));
        return;
    }
    SmallList[m_variableTarget]->addItem(variable);
}

void frmAreaProperties::createVariable() {
    QStringList existing;
    for (int k = 0; k < VariablesList->count(); ++k)
        existing.append(VariablesList->item(k)->text());
    const QString name = EditorMessages::input(
        this, QStringLiteral("NEW VARIABLE"), QStringLiteral("Enter new variable name:"),
        VariableRules::proposeName(selectedText(VariablesList), existing));
    if (name.isEmpty())
        return;
    if (name.contains(QLatin1Char('"'))) {
        info(this, QStringLiteral("You cannot use quotation marks: \""));
        return;
    }
    if (existing.contains(name)) {
        info(this, QStringLiteral("A variable with the name you specified already exists. "
                                  "Specify a different name."));
        return;
    }
    VariablesList->addItem(name);
    VariablesList->setCurrentRow(VariablesList->count() - 1);
    m_variablesChanged = true;
}

void frmAreaProperties::removeAvailableVariable() {
    QListWidgetItem *item = VariablesList->currentItem();
    if (!item || !item->isSelected()) {
        info(this, QStringLiteral("Please select a variable."));
        return;
    }
    delete VariablesList->takeItem(VariablesList->row(item));
    m_variablesChanged = true;
}

void frmAreaProperties::removeFromList(int list) {
    QListWidget *l = SmallList[qBound(0, list, 4)];
    QListWidgetItem *item = l->currentItem();
    if (!item || !item->isSelected()) {
        info(this, QStringLiteral("Please select the variable you want to remove."));
        return;
    }
    delete l->takeItem(l->row(item));
}
