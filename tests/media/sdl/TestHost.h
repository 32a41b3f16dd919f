#pragma once

#include "MediaHost.h"

#include <QStringList>

// A host that records the error reports instead of showing them.
class TestHost : public MediaHost {
public:
    void reportError(const QString &message) override { errors << message; }
    void showWarning(const QString &title, const QString &text) override {
        warnings << title + QLatin1Char('|') + text;
    }
    QString customText(int) const override { return QString(); }
    void processEvents() override {}
    bool runningFromEditor() const override { return false; }

    QStringList errors;
    QStringList warnings;
};
