#include "EditorItems.h"

#include "DialogControls.h"
#include "EditorMessages.h"
#include "Items.h"
#include "NameRules.h"
#include "PictureLoader.h"
#include "ProjectFiles.h"
#include "ProjectHistory.h"
#include "ReferenceQuestions.h"
#include "RenameAndRemove.h"

#include <QFileInfo>
#include <QPixmap>

namespace {

using Answer = EngineHost::Answer;
using Buttons = EngineHost::Buttons;

EditorItems::IconChooser &iconChooser() {
    static EditorItems::IconChooser chooser;
    return chooser;
}

QString chooseIcon(QWidget *parent) {
    if (iconChooser())
        return iconChooser()(parent);
    return EditorMessages::chooseFile(parent,
                                      DialogControls::pictureFilter(QStringLiteral("Icons")));
}

} // namespace

namespace EditorItems {

void setIconChooser(IconChooser chooser) {
    iconChooser() = std::move(chooser);
}

QString CreateItem(QWidget *parent, const ProjectPaths &paths) {
    // The box offers the previous answer again.
    static QString previous;
    const Items items(paths);
    QString name;
    for (;;) {
        name = EditorMessages::input(parent, QStringLiteral("New item"),
                                     QStringLiteral("Give a name to the new item:"), previous);
        if (name.isEmpty())
            return QString();
        previous = name;
        const Status named = NameRules::checkName(name);
        if (!named || !NameRules::isSafeComponent(name)) {
            EditorMessages::show(parent, named ? NameRules::checkName(QStringLiteral("/")) : named);
            continue;
        }
        if (!ItemNames(paths).contains(name, Qt::CaseInsensitive))
            break;
        if (EditorMessages::ask(parent, QStringLiteral("Caution!"),
                                QStringLiteral("An item with the name you specified already "
                                               "exists. Do you want to replace it?"),
                                Status::Icon::Exclamation, Buttons::OkCancel) == Answer::Ok)
            break;
    }
    if (EditorMessages::ask(parent, QStringLiteral("Icon for the new item"),
                            QStringLiteral("You must now select the icon that will appear in the "
                                           "user's inventory.\r\rClick 'OK' to continue..."),
                            Status::Icon::Information, Buttons::OkCancel) != Answer::Ok)
        return QString();
    const QString icon = chooseIcon(parent);
    if (icon.isEmpty() || !QFileInfo(icon).isFile())
        return QString();
    Status s;
    ProjectHistory::instance().record(paths, QStringLiteral("New Item"), [&] {
        s = items.create(name, icon);
        return s.ok();
    });
    if (!s) {
        EditorMessages::ask(parent, QStringLiteral("Error"),
                            QStringLiteral("Unable to create new item."), Status::Icon::Critical);
        return QString();
    }
    notifyItemsChanged();
    return name;
}

bool WriteItemFile(QWidget *parent, const ProjectPaths &paths, const QString &item,
                   const QString &iconFile) {
    if (Items(paths).write(item, ItemFile{iconFile}))
        return true;
    EditorMessages::ask(parent, QStringLiteral("Error"),
                        QStringLiteral("Unable to save item information."), Status::Icon::Critical);
    return false;
}

bool RemoveItem(QWidget *parent, const ProjectPaths &paths, const QString &item,
                const QString &question, const QString &failure) {
    using Removal = ReferenceQuestions::Removal;
    const Removal choice = ReferenceQuestions::askRemove(
        parent, question, Status::Icon::Question, Buttons::YesNo,
        References(paths).find(References::Target::Item, item));
    if (choice == Removal::Cancel)
        return false;
    RenameAndRemove items(paths);
    const bool removed =
        ProjectHistory::instance().record(paths, QStringLiteral("Remove Item"), [&] {
            return items.remove(References::Target::Item, item, choice == Removal::ClearReferences);
        });
    if (!removed)
        ReferenceQuestions::showFailure(
            parent, Status::failure(QStringLiteral("Error"), failure), items.errorString());
    notifyItemsChanged();
    return removed;
}

bool RenameItem(QWidget *parent, const ProjectPaths &paths, const QString &oldName,
                const QString &newName) {
    using Target = References::Target;
    if (newName == oldName ||
        !ReferenceQuestions::askRename(
            parent, QStringLiteral("item"), oldName, newName,
            static_cast<int>(References(paths).savedGames(Target::Item, oldName).size())))
        return false;
    RenameAndRemove items(paths);
    const bool renamed =
        ProjectHistory::instance().record(paths, QStringLiteral("Rename Item"), [&] {
            return items.rename(Target::Item, oldName, newName);
        });
    if (!renamed)
        ReferenceQuestions::showFailure(parent, items.status(), items.errorString());
    notifyItemsChanged();
    return renamed;
}

QStringList ItemNames(const ProjectPaths &paths) {
    return Items(paths).list();
}

QPixmap ItemIcon(const ProjectPaths &paths, const QString &item) {
    ItemFile f;
    if (item.isEmpty() || !Items(paths).read(item, f) || !NameRules::isSafeComponent(f.IconFile))
        return QPixmap();
    const QString icon = ProjectFiles::existingVariant(paths.AreasPath() + f.IconFile);
    if (!paths.holds(icon))
        return QPixmap();
    return QPixmap::fromImage(PictureLoader::load(icon));
}

QStringList ItemOnItemEvents(const ProjectPaths &paths) {
    QStringList out;
    for (const QString &f :
         ProjectFiles::filesWith(paths.AreasPath(), QString(), QStringLiteral(".drg")))
        out.append(f.left(f.size() - 4));
    return out;
}

ItemsNotifier &notifier() {
    static ItemsNotifier n;
    return n;
}

void notifyItemsChanged() {
    emit notifier().itemsChanged();
}

} // namespace EditorItems
