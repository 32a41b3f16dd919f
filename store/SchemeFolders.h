#pragma once

#include "FileOperation.h"

#include <QString>
#include <QStringList>

// The title-screen schemes of the editor's installation: one folder per scheme under
// Schemes/, holding Scheme.txt and its pictures. Shared by every project.
class SchemeFolders : public FileOperation {
public:
    explicit SchemeFolders(const QString &schemesFolder);

    const QString &folder() const { return m_root; }
    // The scheme folders, sorted without regard to case.
    QStringList list() const;
    // Schemes/<scheme>/ with its trailing separator (found without regard to case); empty when
    // the name cannot be a folder name.
    QString schemeFolder(const QString &scheme) const;
    QString schemeFile(const QString &scheme) const;

    // Makes the folder and writes a Scheme.txt with the default pictures and colours.
    bool create(const QString &scheme);
    // Deletes the folder and everything in it.
    bool remove(const QString &scheme);
    // "[DEFAULT]", then the .bmp, .gif and .jpg files of the scheme folder.
    bool pictures(const QString &scheme, QStringList &out);
    // Copies a picture into the scheme folder; refused when a file of that name is there.
    bool addPicture(const QString &scheme, const QString &sourcePath);
    // Deletes one picture; "[DEFAULT]" and "[NONE]" cannot be removed.
    bool removePicture(const QString &scheme, const QString &fileName);

private:
    QString m_root;
};
