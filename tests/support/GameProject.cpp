#include "GameProject.h"

#include "Items.h"
#include "VariablesFile.h"

#include <QDir>

#include <stdexcept>

void require(const Status &status, const QString &what) {
    if (!status)
        throw std::runtime_error(qPrintable(QStringLiteral("cannot write ") + what +
                                            QStringLiteral(": ") + status.text()));
}

GameProject::GameProject(const QString &initialFrame) {
    writeMinimalProject(QStringLiteral("Test"), initialFrame);
    general.ProjectName = QStringLiteral("Test");
    general.SoftwareTitle = QStringLiteral("Marsh Lights");
    general.InitialFrame = initialFrame;
    general.ScreenWidth = 640;
    general.ScreenHeight = 480;
    writeGeneralInfo();
}

void GameProject::writeGeneralInfo() const {
    require(writeGeneral(paths().ConfigPath() + QStringLiteral("General"), general),
            QStringLiteral("General"));
}

void GameProject::frame(const QString &name, const FrameProperties &props,
                        const QList<ChannelRecord> &sounds) {
    require(frames().saveProperties(name, props, sounds), name);
    QDir().mkpath(paths().AreasPath() + name);
    if (!m_areaCounts.contains(name))
        areaCount(name, 0);
}

void GameProject::areaCount(const QString &frame, int count) {
    m_areaCounts[frame] = count;
    require(frames().writeAreaCount(frame, count), frame + QStringLiteral(".lks"));
}

void GameProject::area(const QString &frame, int n, const Area &area) {
    require(areas(frame).save(n, area), frame + QStringLiteral(" area ") + QString::number(n));
    if (m_areaCounts.value(frame) < n)
        areaCount(frame, n);
}

void GameProject::text(const QString &frame, int n, const QString &caption) const {
    TextLabel label;
    label.Caption = caption;
    text(frame, n, label);
}

void GameProject::text(const QString &frame, int n, const TextLabel &label) const {
    const QString folder = paths().AreasPath() + frame + QDir::separator();
    QDir().mkpath(folder);
    require(writeTextLabel(folder + TextLabels::fileName(n), label), label.Caption);
}

void GameProject::variables(const QStringList &names) const {
    require(writeVariablesFile(paths().ConfigPath() + QStringLiteral("Variables"), names),
            QStringLiteral("Variables"));
}

void GameProject::item(const QString &name) const {
    touch(QStringLiteral("Areas/") + name + QStringLiteral(".bmp"));
    require(Items(paths()).write(name, ItemFile{name + QStringLiteral(".bmp")}), name);
}

void GameProject::itemEvent(const QString &first, const QString &second, bool removeFirst,
                            bool removeSecond, const QString &newItem) const {
    ItemEvent e;
    e.First = first;
    e.Second = second;
    e.RemoveFirst = removeFirst ? 1 : 0;
    e.RemoveSecond = removeSecond ? 1 : 0;
    e.AddNew = newItem.isEmpty() ? 0 : 1;
    e.NewItem = newItem;
    require(Items(paths()).writeEvent(e), first + QStringLiteral("_on_") + second);
}

void GameProject::dropEvent(const QString &frame, int n, const QString &item,
                            const ActionRecord &action, const QList<ChannelRecord> &sounds) const {
    DropEvent e;
    e.action = action;
    e.sounds = sounds;
    require(areas(frame).saveDropEvent(n, item, e), item);
}

QString GameProject::touch(const QString &relativePath) const {
    return writeRaw(relativePath, QByteArray());
}
