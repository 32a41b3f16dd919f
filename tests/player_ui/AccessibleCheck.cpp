#include "AccessibleCheck.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QFontDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>

namespace {

QString plain(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

// A label names its field without the colon that ends it on the screen.
QString labelName(const QLabel *l) {
    QString text = plain(l->text()).trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

QString nameOf(QObject *o) {
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(o);
    return i ? i->text(QAccessible::Name) : QString();
}

QString shown(const QWidget *w) {
    return QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') +
           (w->objectName().isEmpty() ? QString() : w->objectName() + QLatin1Char(' '));
}

void checkShown(QWidget *window, QStringList &faults) {
    QHash<QWidget *, QString> labels;
    for (QLabel *l : window->findChildren<QLabel *>())
        if (l->buddy())
            labels.insert(l->buddy(), labelName(l));
    for (QWidget *w : window->findChildren<QWidget *>()) {
        // Qt's own font chooser and the headers of lists are not this system's controls.
        bool qtOwn = qobject_cast<QHeaderView *>(w);
        for (QWidget *up = w->parentWidget(); up && !qtOwn; up = up->parentWidget())
            qtOwn = qobject_cast<QFontDialog *>(up);
        if (!w->isVisible() || w->window() != window || qtOwn)
            continue;
        QString expected;
        if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            if (w->parentWidget() && qobject_cast<QComboBox *>(w->parentWidget()))
                continue;
            expected = b->text().isEmpty() ? w->accessibleName() : plain(b->text());
        } else if (qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractItemView *>(w) ||
                   qobject_cast<QLineEdit *>(w)) {
            if (qobject_cast<QComboBox *>(w->parentWidget()))
                continue; // a combo box's own field or list
            expected = labels.value(w, w->accessibleName());
            if (auto *c = qobject_cast<QComboBox *>(w); c && c->count() > 0)
                c->setCurrentIndex(c->count() - 1); // shows a value the name must not be
        } else {
            continue;
        }
        QString name = nameOf(w);
        if (labels.contains(w) && name.endsWith(QLatin1Char(':')))
            name = name.chopped(1).trimmed(); // the label as it reads on the screen
        if (name.isEmpty() || name != expected)
            faults.append(shown(w) + QLatin1Char('"') + name + QStringLiteral("\" should be \"") +
                          expected + QLatin1Char('"'));
    }
}

} // namespace

QStringList accessibilityFaults(QWidget *window) {
    QStringList faults;
    window->show();
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(window);
    const QAccessible::Role role =
        qobject_cast<QDialog *>(window) ? QAccessible::Dialog : QAccessible::Window;
    if (window->isWindow() && (!i || i->role() != role))
        faults.append(shown(window) + QStringLiteral("role %1").arg(i ? int(i->role()) : -1));
    const QList<QTabWidget *> tabs = window->findChildren<QTabWidget *>();
    checkShown(window, faults);
    for (QTabWidget *t : tabs) {
        const int current = t->currentIndex();
        for (int k = 0; k < t->count(); ++k) {
            if (!t->isTabEnabled(k) || !t->isVisible())
                continue;
            t->setCurrentIndex(k);
            checkShown(window, faults);
        }
        t->setCurrentIndex(current);
    }
    for (QMenu *m : window->findChildren<QMenu *>())
        if (!m->title().isEmpty() && nameOf(m) != plain(m->title()))
            faults.append(QStringLiteral("menu \"%1\" named \"%2\"").arg(m->title(), nameOf(m)));
    faults.removeDuplicates();
    return faults;
}
