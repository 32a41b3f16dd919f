#include "StoreMessages.h"

#include "RecordReader.h"

namespace StoreMessages {

Status unreadable(const QString &path, const QString &reason) {
    // The path of a name that leads out of the project is never built.
    if (path.isEmpty())
        return Status::failure(
            QStringLiteral("Error"),
            QStringLiteral("Unable to read a file that leads out of the project: %1").arg(reason));
    return Status::failure(QStringLiteral("Error"),
                           QStringLiteral("Unable to read '%1': %2").arg(path, reason));
}

Status unreadable(const QString &path, const RecordReader &reader) {
    if (reader.valueNumber() == 0)
        return unreadable(path, reader.errorString());
    return unreadable(path,
                      QStringLiteral("%1 (value %2)").arg(reader.errorString()).arg(reader.valueNumber()));
}

Status projectFilesReadOnly() {
    return Status::failure(
        QStringLiteral("Error"),
        QStringLiteral("Unable to access project files. The project folder may be Read-Only."));
}

} // namespace StoreMessages
