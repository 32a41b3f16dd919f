#include "NameRules.h"

namespace NameRules {

const QString &forbiddenNameCharacters() {
    static const QString chars = QStringLiteral("\"\\/:*?<>|,");
    return chars;
}

QString forbiddenCharactersForDisplay() { return QStringLiteral("\" \\ / : * ? < > | ,"); }

bool isValidName(const QString &name) {
    // The characters of forbiddenNameCharacters(), tested without a search for each one.
    for (QChar c : name) {
        switch (c.unicode()) {
        case u'"':
        case u'\\':
        case u'/':
        case u':':
        case u'*':
        case u'?':
        case u'<':
        case u'>':
        case u'|':
        case u',':
            return false;
        default:
            break;
        }
    }
    return true;
}

bool hasQuotationMark(const QString &text) { return text.contains(QLatin1Char('"')); }

Status checkName(const QString &name) {
    if (isValidName(name))
        return Status::success();
    return Status::failure(QString(),
                           QStringLiteral("Sorry, a filename cannot contain any of the following "
                                          "characters:\n") +
                               forbiddenCharactersForDisplay(),
                           Status::Icon::Exclamation);
}

Status checkText(const QString &text, QuoteWording wording) {
    if (!hasQuotationMark(text))
        return Status::success();
    if (wording == QuoteWording::ProjectTexts)
        return Status::failure(
            QString(),
            QStringLiteral("You cannot use quotation marks. Please remove them, and then try again."),
            Status::Icon::Information);
    return Status::failure(QString(), QStringLiteral("You cannot use quotation marks: \""),
                           Status::Icon::Information);
}

bool isSafeComponent(const QString &name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           isValidName(name) && !name.contains(QChar(0));
}

} // namespace NameRules
