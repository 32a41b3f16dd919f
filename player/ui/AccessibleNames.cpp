#include "AccessibleNames.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>

namespace {

// A combo box whose name is what names it for a person (its accessible name, or its label's
// text), whose value is the text it shows, and whose children are its list and, when it is
// editable, its text field.
class NamedComboBox : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox *box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return combo()->currentText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = combo()->view()->isVisible();
        s.editable = combo()->isEditable();
        return s;
    }
    int childCount() const override { return combo()->lineEdit() ? 2 : 1; }
    QAccessibleInterface *child(int index) const override {
        QWidget *w = index == 0   ? static_cast<QWidget *>(combo()->view())
                     : index == 1 ? combo()->lineEdit()
                                  : nullptr;
        return w ? QAccessible::queryAccessibleInterface(w) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (child && child == this->child(i))
                return i;
        return -1;
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &name) override {
        if (name == showMenuAction() || name == pressAction()) {
            if (combo()->view()->isVisible())
                combo()->hidePopup();
            else
                combo()->showPopup();
            return;
        }
        QAccessibleWidget::doAction(name);
    }

private:
    QComboBox *combo() const { return static_cast<QComboBox *>(widget()); }
};

QAccessibleInterface *describe(const QString &className, QObject *object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("QComboBox"))
        return new NamedComboBox(static_cast<QComboBox *>(widget));
    if (className == QLatin1String("QMenu")) {
        // Qt names a menu by its window title, which a context menu never has.
        auto *menu = static_cast<QMenu *>(widget);
        if (menu->accessibleName().isEmpty() && !menu->title().isEmpty())
            menu->setAccessibleName(QString(menu->title()).remove(QLatin1Char('&')));
        return nullptr; // Qt's own description, now named
    }
    // A window made from a plain widget: Qt would call it a client area ("filler").
    const Qt::WindowType type = widget->windowType();
    if (className == QLatin1String("QWidget") &&
        (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool))
        return new QAccessibleWidget(widget, type == Qt::Dialog ? QAccessible::Dialog
                                                                : QAccessible::Window);
    return nullptr;
}

} // namespace

namespace AccessibleNames {

void install() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(&describe);
}

} // namespace AccessibleNames
