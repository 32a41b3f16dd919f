#include "ProjectVersion.h"

#include "RecordReader.h"
#include "RecordWriter.h"

#include <QStringList>

namespace ProjectVersion {

QString versionLabel() { return QStringLiteral("Version 2.06"); }
QString revisionLabel() { return QStringLiteral(".01"); }
QString editorVersionText() { return versionLabel() + revisionLabel(); }

QString read(const QString &versionFilePath) {
    RecordReader r = RecordReader::fromFile(versionFilePath);
    QString v;
    if (!r.readString(v))
        return QString();
    return v;
}

Status write(const QString &versionFilePath, const QString &text) {
    RecordWriter w;
    w.writeString(text);
    return w.commit(versionFilePath,
                    Status::failure(QStringLiteral("Error"),
                                    QStringLiteral("Sorry, unable to access project files. The "
                                                   "project folder may be Read-Only.")));
}

Decision check(const QString &v) {
    Decision d;
    if (v.isEmpty())
        return d;
    const QString prefix = QStringLiteral("The selected project was created with Quillmoor ") + v;
    if (v.left(10).compare(QLatin1String("version 1."), Qt::CaseInsensitive) == 0) {
        d.kind = Decision::Refuse;
        d.icon = Status::Icon::Information;
        d.text = prefix +
                 QStringLiteral(", which is not compatible with the current one.\n\nQuillmoor is "
                                "unable to edit the selected project.");
        return d;
    }
    const QString w = v.left(12).toLower();
    static const QStringList older = {
        QStringLiteral("version 2.00"), QStringLiteral("version 2.01"),
        QStringLiteral("version 2.02"), QStringLiteral("version 2.03"),
        QStringLiteral("version 2.04"), QStringLiteral("version 2.05"),
    };
    const QString ask = QStringLiteral("\n\nDo you want to load the selected project anyway?");
    if (older.contains(w)) {
        d.kind = Decision::AskOlder;
        d.title = QStringLiteral("Warning!");
        d.icon = Status::Icon::Exclamation;
        d.text = prefix +
                 QStringLiteral(", which is older than the current one. If you decide to continue "
                                "loading it, it may become unreadable by previous versions of "
                                "Quillmoor, including ") +
                 v +
                 QStringLiteral(". Therefore it is very recommended to make a backup copy of it "
                                "before opening it with the current version.") +
                 ask;
        return d;
    }
    if (w != versionLabel().toLower()) {
        d.kind = Decision::AskDifferent;
        d.title = QStringLiteral("Warning!");
        d.icon = Status::Icon::Exclamation;
        d.text = prefix +
                 QStringLiteral(", which is different from the current one. If you decide to "
                                "continue loading the selected project, Quillmoor may not work "
                                "properly and the project may get damaged. Therefore it is very "
                                "recommended to make a backup copy of it before opening it with "
                                "the current version.") +
                 ask;
    }
    return d;
}

} // namespace ProjectVersion
