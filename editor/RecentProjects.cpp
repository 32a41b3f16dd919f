#include "RecentProjects.h"

#include "SettingsStore.h"

#include <QDir>

namespace RecentProjects {

namespace {

QString key(int i) {
    return QStringLiteral("RecentProject%1").arg(i + 1);
}

bool same(const QString &a, const QString &b) {
    return QDir::cleanPath(a) == QDir::cleanPath(b);
}

void save(const QStringList &roots) {
    for (int i = 0; i < kMost; ++i)
        SettingsStore::SaveSetting(QStringLiteral("A"), QStringLiteral("Settings"), key(i),
                                   roots.value(i));
}

} // namespace

QStringList list() {
    QStringList out;
    for (int i = 0; i < kMost; ++i) {
        const QString root =
            SettingsStore::GetSetting(QStringLiteral("A"), QStringLiteral("Settings"), key(i));
        if (!root.isEmpty())
            out.append(root);
    }
    return out;
}

void add(const QString &root) {
    QStringList roots = list();
    roots.removeIf([&root](const QString &r) { return same(r, root); });
    roots.prepend(root);
    save(roots.mid(0, kMost));
}

void remove(const QString &root) {
    QStringList roots = list();
    roots.removeIf([&root](const QString &r) { return same(r, root); });
    save(roots);
}

} // namespace RecentProjects
