#include "NameRules.h"

#include <array>

namespace NameRules {

const QString &forbiddenNameCharacters() {
    static const QString chars = QStringLiteral("\"\\/:*?<>|,");
    return chars;
}

QString forbiddenCharactersForDisplay() { return QStringLiteral("\" \\ / : * ? < > | ,"); }

bool isValidName(const QString &name) {
    // The forbidden characters are all ASCII: one table, made once from the same list.
    static const std::array<bool, 128> forbidden = [] {
        std::array<bool, 128> t{};
        for (QChar c : forbiddenNameCharacters())
            t[c.unicode()] = true;
        return t;
    }();
    for (QChar c : name) {
        if (c.unicode() < forbidden.size() && forbidden[c.unicode()])
            return false;
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
