// The main window's items-and-events pages: panel 11 (items and events), panel 12 (the events of
// items dropped on the frame's areas) and panel 15 (the events of items used on other items).

#include "frmMenu.h"

#include "AreaFiles.h"
#include "EditorItems.h"
#include "EditorMessages.h"
#include "EventRemoval.h"
#include "Items.h"
#include "ProjectHistory.h"
#include "frmItemOnItem.h"
#include "frmObjects.h"

#include <QDockWidget>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString selectedText(const QListWidget *list) {
    const QListWidgetItem *item = list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

QListWidget *eventList(QWidget *panel, const QString &name) {
    auto *list = new QListWidget(panel);
    list->setAccessibleName(name);
    static_cast<QVBoxLayout *>(panel->layout())->insertWidget(0, list, 1);
    return list;
}

} // namespace

void frmMenu::addItemsPanels() {
    addPanel(11, QStringLiteral("Items and Events"),
             {"Show Items List", "Use of items on each other...", "Remove Events...", "Done"},
             QStringLiteral("An event is what happens when an item is used on a clickable area, "
                            "or on another item.\n\nTo create a new event select an item and drag "
                            "and drop it on a clickable area."));
    QWidget *drops =
        addPanel(12, QStringLiteral("Remove Events"), {"Remove Selected Event", "Done"},
                 QStringLiteral("The above list contains the events you have created "
                                "by dragging an item on a clickable area. To remove "
                                "one of them, select it and click 'Remove Selected "
                                "Event'. "));
    m_lstDropEvents = eventList(drops, QStringLiteral("Events of items dragged on areas"));
    QWidget *uses = addPanel(15, QStringLiteral("Use of Items on Each Other"),
                             {"Create New Event...", "Remove Selected Event", "Done"},
                             QStringLiteral("To choose what must happen when an item is used on "
                                            "another item, click 'Create New Event...'."));
    m_lstItemEvents = eventList(uses, QStringLiteral("Events of items used on other items"));
    m_objects = std::make_unique<frmObjects>();

    auto on = [this](int p, const char *caption, auto &&f) {
        connect(m_buttons[p][QString::fromUtf8(caption)], &QPushButton::clicked, this, f);
    };
    on(11, "Show Items List", [this] {
        m_objects->setProject(m_project.paths);
        m_itemsDock->show();
        m_itemsDock->raise();
    });
    on(11, "Use of items on each other...", [this] { ShowMenu(15); });
    on(11, "Remove Events...", [this] { ShowMenu(12); });
    on(11, "Done", [this] { ShowMenu(3); });
    on(12, "Remove Selected Event", [this] { RemoveSelectedDropEvent(); });
    on(12, "Done", [this] { ShowMenu(11); });
    on(15, "Create New Event...", [this] { CreateItemEvent(); });
    on(15, "Remove Selected Event", [this] { RemoveSelectedItemEvent(); });
    on(15, "Done", [this] { ShowMenu(11); });
}

void frmMenu::showItemsPanel(int p) {
    if (p == 11) {
        m_objects->setProject(m_project.paths);
        RefreshDropEvents();
        RefreshItemEvents();
        m_itemsDock->show();
    } else {
        m_itemsDock->hide();
    }
    if (p == 12)
        RefreshDropEvents();
    if (p == 15)
        RefreshItemEvents();
}

void frmMenu::ShowItemsAndEvents(const QString &frame) {
    m_itemsFrame = frame;
    ShowMenu(11);
}

void frmMenu::RefreshDropEvents() {
    m_lstDropEvents->clear();
    if (!m_project.isOpen() || m_itemsFrame.isEmpty())
        return;
    const AreaFiles files(m_project.paths, SoundMode::MultiChannel, m_itemsFrame);
    const QMap<int, QStringList> events = files.allDropEvents();
    for (auto i = events.cbegin(); i != events.cend(); ++i) {
        for (const QString &item : i.value())
            m_lstDropEvents->addItem(QString::number(i.key()) + QLatin1Char('_') + item);
    }
}

void frmMenu::RefreshItemEvents() {
    m_lstItemEvents->clear();
    if (m_project.isOpen())
        m_lstItemEvents->addItems(EditorItems::ItemOnItemEvents(m_project.paths));
}

bool frmMenu::RemoveSelectedDropEvent() {
    const QString event = selectedText(m_lstDropEvents);
    if (event.isEmpty()) {
        EditorMessages::ask(this, QString(),
                            QStringLiteral("Please select the event you want to remove."),
                            Status::Icon::Information);
        return false;
    }
    const qsizetype underscore = event.indexOf(QLatin1Char('_'));
    EventRemoval removal(m_project.paths);
    const bool removed =
        ProjectHistory::instance().record(m_project.paths, QStringLiteral("Remove Event"), [&] {
            return removal.removeDropEvent(m_itemsFrame, event.left(underscore).toInt(),
                                           event.mid(underscore + 1));
        });
    if (!removed)
        EditorMessages::show(this, removal.status());
    RefreshDropEvents();
    return removed;
}

bool frmMenu::RemoveSelectedItemEvent() {
    const QString event = selectedText(m_lstItemEvents);
    if (event.isEmpty()) {
        EditorMessages::ask(this, QString(),
                            QStringLiteral("Please select the event you want to remove."),
                            Status::Icon::Information);
        return false;
    }
    QString first, second;
    EventRemoval removal(m_project.paths);
    const bool removed =
        Items::splitEventName(event, EditorItems::ItemNames(m_project.paths), first, second) &&
        ProjectHistory::instance().record(m_project.paths, QStringLiteral("Remove Event"),
                                          [&] { return removal.removeItemEvent(first, second); });
    if (!removed)
        EditorMessages::show(
            this, removal.status().ok()
                      ? Status::failure(QStringLiteral("Error"), QStringLiteral("Unable to remove "
                                                                                "selected event."))
                      : removal.status());
    RefreshItemEvents();
    return removed;
}

void frmMenu::CreateItemEvent() {
    frmItemOnItem dialog(m_project.paths, this);
    dialog.exec();
    RefreshItemEvents();
}
