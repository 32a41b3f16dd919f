#pragma once

#include <QString>

class CustomTexts;

// Where the engine sends its failures. The game window shows them as the standard error
// report; tests and qmtool record them.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    // `specificMessage` begins with a space, as the messages are written.
    virtual void reportError(const QString &specificMessage) = 0;
};

// The standard error report: titled with custom text 29, its text is custom text 30, two line
// breaks, custom text 31 and the specific message.
struct ErrorReport {
    QString title;
    QString text;
};
ErrorReport standardErrorReport(const CustomTexts &texts, const QString &specificMessage);
