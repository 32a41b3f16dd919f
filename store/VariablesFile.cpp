#include "VariablesFile.h"

#include "RecordReader.h"
#include "RecordWriter.h"
#include "StoreMessages.h"

Status readVariablesFile(const QString &path, QStringList &out) {
    RecordReader r = RecordReader::fromFile(path);
    QStringList names;
    int count = 0;
    r.readCount(count, kMaxVariables);
    for (int i = 0; i < count && r.ok(); ++i) {
        QString name;
        if (r.readString(name))
            names.append(name);
    }
    out = names; // the names read before a failure are kept, as the game keeps them
    if (!r.ok())
        return StoreMessages::unreadable(path, r);
    return Status::success();
}

Status writeVariablesFile(const QString &path, const QStringList &names) {
    RecordWriter w;
    w.writeInt(names.size());
    for (const QString &n : names)
        w.writeString(n);
    return w.commit(path, Status::failure(QStringLiteral("Error Saving Variables"),
                                          QStringLiteral("Unable to save variables.")));
}
