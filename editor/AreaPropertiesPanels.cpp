// The two panels of the area properties dialog that take the place of its tabs for a while:
// the mouse pointers of the project and the variables available to the lists.

#include "frmAreaProperties.h"

#include "AreaAppearanceTab.h"
#include "AreaVariablesTab.h"
#include "DataFiles.h"
#include "DialogControls.h"
#include "EditorMessages.h"
#include "MousePointerPanel.h"
#include "PictureLoader.h"
#include "ProjectFiles.h"
#include "VariablePanel.h"
#include "VariableRules.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

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

void frmAreaProperties::connectPanels() {
    QListWidget *icons = m_pointers->list();
    connect(icons, &QListWidget::itemActivated, this, &frmAreaProperties::usePointer);
    connect(m_pointers->okButton(), &QPushButton::clicked, this, &frmAreaProperties::usePointer);
    connect(m_pointers->cancelButton(), &QPushButton::clicked, this, [this] {
        m_pointers->hide();
        m_tabs->show();
    });
    connect(m_pointers->removeButton(), &QPushButton::clicked, this,
            &frmAreaProperties::removePointer);
    connect(m_pointers->browseButton(), &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                          QStringLiteral("Icons (*.ico *.cur)"));
        if (!file.isEmpty())
            addPointer(file);
    });
    connect(icons, &QListWidget::itemChanged, this, [this, icons](QListWidgetItem *item) {
        const QString from = item->data(kFileNameRole).toString();
        if (!from.isEmpty() && item->text() != from && !renamePointer(from, item->text())) {
            const QSignalBlocker quiet(icons);
            item->setText(from);
        }
    });

    QListWidget *variables = m_variablePanel->list();
    connect(variables, &QListWidget::itemActivated, this, &frmAreaProperties::addSelectedVariable);
    connect(m_variablePanel->okButton(), &QPushButton::clicked, this,
            &frmAreaProperties::addSelectedVariable);
    connect(m_variablePanel->cancelButton(), &QPushButton::clicked, this, [this] {
        m_variablePanel->hide();
        m_tabs->show();
    });
    connect(m_variablePanel->createButton(), &QPushButton::clicked, this,
            &frmAreaProperties::createVariable);
    connect(m_variablePanel->removeButton(), &QPushButton::clicked, this,
            &frmAreaProperties::removeAvailableVariable);
}

void frmAreaProperties::RefreshIconsList() {
    QListWidget *icons = m_pointers->list();
    const QSignalBlocker quiet(icons);
    icons->clear();
    if (m_project.paths.isEmpty())
        return;
    const QString folder = m_project.paths.IconsPath();
    for (const QString &name : DataFiles::list(folder, {".ico", ".cur"})) {
        auto *item = new QListWidgetItem(
            QIcon(QPixmap::fromImage(PictureLoader::load(folder + name))), name, icons);
        item->setData(kFileNameRole, name);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
}

void frmAreaProperties::showPointerPanel() {
    RefreshIconsList();
    m_tabs->hide();
    m_pointers->show();
    m_pointers->list()->setFocus();
}

void frmAreaProperties::usePointer() {
    QListWidget *icons = m_pointers->list();
    const QListWidgetItem *item = icons->currentItem();
    if (!item || !item->isSelected()) {
        info(this, QStringLiteral("Please select an icon or a cursor. To add an icon or a cursor "
                                  "to the project, click 'Add...'"));
        return;
    }
    m_appearance->pointerName()->setText(item->data(kFileNameRole).toString());
    OpenMousePointer();
    m_pointers->hide();
    m_tabs->show();
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
    QListWidget *icons = m_pointers->list();
    if (icons->count() == 0) {
        info(this, QStringLiteral("No icons to remove."));
        return;
    }
    const QListWidgetItem *item = icons->currentItem();
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
    delete icons->takeItem(icons->row(item));
    // Whichever pointer was removed, the area goes back to the normal one.
    m_appearance->pointerName()->setText(QStringLiteral("DEFAULT"));
    OpenMousePointer();
}

bool frmAreaProperties::renamePointer(const QString &from, const QString &typed) {
    QLabel *pointerName = m_appearance->pointerName();
    QListWidget *icons = m_pointers->list();
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
    if (pointerName->text() == from)
        pointerName->setText(to);
    // The entry is renamed where it stands: this runs while the list view edits it.
    const QSignalBlocker quiet(icons);
    for (int i = 0; i < icons->count(); ++i) {
        QListWidgetItem *item = icons->item(i);
        if (item->data(kFileNameRole).toString() == from) {
            item->setData(kFileNameRole, to);
            item->setText(to);
        }
    }
    return true;
}

void frmAreaProperties::OpenMousePointer() {
    QLabel *picture = m_appearance->pointerPicture();
    const QString name = m_appearance->pointerName()->text();
    picture->clear();
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
    picture->setPixmap(QPixmap::fromImage(image).scaled(picture->size(), Qt::KeepAspectRatio));
}

void frmAreaProperties::showVariablePanel(int list) {
    m_variableTarget = qBound(0, list, 4);
    m_tabs->hide();
    m_variablePanel->show();
    m_variablePanel->list()->setFocus();
}

void frmAreaProperties::addSelectedVariable() {
    const QString variable = selectedText(m_variablePanel->list());
    if (variable.isEmpty()) {
        info(this, QStringLiteral("Please select a variable."));
        return;
    }
    m_variablePanel->hide();
    m_tabs->show();
    QStringList lists[5];
    for (int i = 0; i < 5; ++i)
        lists[i] = m_variables->names(i);
    if (!VariableRules::mayAdd(lists, m_variableTarget, variable)) {
        info(this, QStringLiteral("The selected variable is already on a list."));
        return;
    }
    m_variables->list(m_variableTarget)->addItem(variable);
}

void frmAreaProperties::createVariable() {
    QListWidget *available = m_variablePanel->list();
    QStringList existing;
    for (int k = 0; k < available->count(); ++k)
        existing.append(available->item(k)->text());
    const QString name = EditorMessages::input(
        this, QStringLiteral("NEW VARIABLE"), QStringLiteral("Enter new variable name:"),
        VariableRules::proposeName(selectedText(available), existing));
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
    available->addItem(name);
    available->setCurrentRow(available->count() - 1);
    m_variablesChanged = true;
}

void frmAreaProperties::removeAvailableVariable() {
    QListWidget *available = m_variablePanel->list();
    QListWidgetItem *item = available->currentItem();
    if (!item || !item->isSelected()) {
        info(this, QStringLiteral("Please select a variable."));
        return;
    }
    delete available->takeItem(available->row(item));
    m_variablesChanged = true;
}

void frmAreaProperties::removeFromList(int list) {
    QListWidget *l = m_variables->list(qBound(0, list, 4));
    QListWidgetItem *item = l->currentItem();
    if (!item || !item->isSelected()) {
        info(this, QStringLiteral("Please select the variable you want to remove."));
        return;
    }
    delete l->takeItem(l->row(item));
}
