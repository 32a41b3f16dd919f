#pragma once

#include "ProjectPaths.h"
#include "Status.h"

#include <QString>
#include <QStringList>

// Areas/<frame>/TextNN.lbl: a text placed on a frame.
struct TextLabel {
    QString Caption;
    double Left = 0;
    double Top = 0;
    bool FontBold = false;
    bool FontItalic = false;
    QString FontName = QStringLiteral("Arial");
    double FontSize = 12;
    bool FontStrikethru = false;
    bool FontUnderline = false;
    qint32 ForeColor = 0;
};

Status readTextLabel(const QString &path, TextLabel &out);
Status writeTextLabel(const QString &path, const TextLabel &label);

namespace TextLabels {

// The file name of text number n: "Text01.lbl" ... "Text99.lbl", "Text100.lbl".
QString fileName(int n);
// The path of the lowest-numbered text file of the frame folder that does not exist yet.
QString nextFree(const QString &frameFolder);
// The text files of a frame folder (*.lbl, any case), in alphabetical order of file name.
QStringList list(const QString &frameFolder);
Status remove(const QString &path);

} // namespace TextLabels
