#include "Status.h"

Status Status::failure(const QString &title, const QString &text, Icon icon) {
    Status s;
    s.m_ok = false;
    s.m_title = title;
    s.m_text = text;
    s.m_icon = icon;
    return s;
}
