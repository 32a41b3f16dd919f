#pragma once

#include "Status.h"

#include <QString>

// Schemes/<scheme>/Scheme.txt: the title screen's pictures and colours.
struct SchemeFile {
    QString SchemeName;
    QString WriterVersion;
    QString SavedDate; // mm/dd/yyyy
    int PictureCount = 4;
    QString StartPicture = QStringLiteral("[DEFAULT]");
    QString LoadPicture = QStringLiteral("[DEFAULT]");
    QString ExitPicture = QStringLiteral("[DEFAULT]");
    QString TiledBackground = QStringLiteral("[DEFAULT]");
    int ColorCount = 4;
    qint32 BackgroundColor = 0;
    qint32 TitleColor = 0;
    qint32 TextsColor = 0;
    qint32 ButtonsColor = 0;
    int HideTitle = 0; // missing from older files
};

// Reads as many pictures and colours as the counts say (at most 4 of each are kept; a count of
// 0 is read as it stands and left to the title screen to refuse).
Status readScheme(const QString &path, SchemeFile &out);
// Writes 4 pictures and 4 colours.
Status writeScheme(const QString &path, const SchemeFile &scheme);

// The date as scheme and preset files store it.
QString savedDateText(int year, int month, int day);
