#include "ProjectIntegrity.h"

#include "Cp1252.h"
#include "RecordReader.h"
#include "RecordWriter.h"

namespace ProjectIntegrity {

int nameSum(const QString &projectName) {
    quint32 sum = 0;
    for (const char c : Cp1252::encode(projectName))
        sum += static_cast<unsigned char>(c);
    return static_cast<qint16>(static_cast<quint16>(sum & 0xFFFF));
}

Status write(const QString &root, const QString &projectName) {
    RecordWriter w;
    w.writeLine(QString::number(nameSum(projectName)));
    return w.commit(
        ProjectPaths(root).rootFile(QStringLiteral("Project.dat")),
        Status::failure(QStringLiteral("Error Saving Project Information"),
                        QStringLiteral("Unable to save important project information. Your project "
                                       "may become Write-Protected and you may be unable to edit "
                                       "it anymore.\n\nNext time you run Quillmoor, if you have "
                                       "troubles loading your project, please contact the authors.")));
}

bool read(const QString &root, int &out) {
    RecordReader r =
        RecordReader::fromFile(ProjectPaths(root).rootFile(QStringLiteral("Project.dat")));
    int v = 0;
    if (!r.readInt(v))
        return false;
    out = v;
    return true;
}

Status check(const ProjectPaths &paths) {
    int stored = 0;
    QString name;
    RecordReader general = RecordReader::fromFile(paths.configFile(QStringLiteral("General")));
    const bool haveName = general.readString(name);
    if (read(paths.root(), stored) && haveName && stored == nameSum(name))
        return Status::success();
    return Status::failure(
        QString(),
        QStringLiteral("The selected project appears to be Write-Protected and cannot be edited. If "
                       "you have troubles loading the project you have created with this version "
                       "of Quillmoor, please contact the authors."),
        Status::Icon::Information);
}

} // namespace ProjectIntegrity
