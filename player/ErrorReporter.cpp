#include "ErrorReporter.h"

#include "CustomTexts.h"

ErrorReport standardErrorReport(const CustomTexts &texts, const QString &specificMessage) {
    return ErrorReport{texts.text(29),
                       texts.text(30) + QStringLiteral("\n\n") + texts.text(31) + specificMessage};
}
