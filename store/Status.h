#pragma once

#include <QString>

// The outcome of a store operation. A failure carries the title, text and icon of the message
// box the system shows for it, so windows can show it unchanged.
class Status {
public:
    enum class Icon { None, Critical, Information, Exclamation, Question };

    Status() = default;
    static Status success() { return Status(); }
    static Status failure(const QString &title, const QString &text, Icon icon = Icon::Critical);
    // A failure whose wording the caller supplies (the reading Part decides what is shown).
    static Status failure(const QString &text) { return failure(QString(), text); }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString &title() const { return m_title; }
    const QString &text() const { return m_text; }
    Icon icon() const { return m_icon; }
    // The system's reason behind a failure ("No space left on device"), for tools and logs; the
    // message shown stays title and text.
    const QString &detail() const { return m_detail; }
    Status withDetail(const QString &detail) const {
        Status s = *this;
        s.m_detail = detail;
        return s;
    }

private:
    bool m_ok = true;
    QString m_title;
    QString m_text;
    Icon m_icon = Icon::None;
    QString m_detail;
};
