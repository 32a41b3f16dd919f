#include "MediaPlayButtons.h"

#include "EditorMessages.h"

#include <QComboBox>
#include <QPushButton>

MediaPlayButtons::MediaPlayButtons(MediaBackend &media, QWidget *dialog, QWidget *videoSurface)
    : m_dialog(dialog), m_video(videoSurface),
      m_preview(std::make_unique<MediaPreview>(media, dialog)) {}

MediaPlayButtons::~MediaPlayButtons() {
    m_preview->stop();
}

QPushButton *MediaPlayButtons::add(MediaPreview::Kind kind, QComboBox *list, const QString &folder,
                                   QWidget *owner) {
    auto *b = new QPushButton(QStringLiteral("Play"), owner);
    b->setAccessibleName(QStringLiteral("Play ") + list->accessibleName());
    m_buttons.insert(list, b);
    m_entries.insert(list, Entry{kind, folder});
    connect(b, &QPushButton::clicked, this, [this, list] { play(list); });
    return b;
}

void MediaPlayButtons::showPlaying(QComboBox *list) {
    m_playing = list;
    for (auto i = m_buttons.cbegin(); i != m_buttons.cend(); ++i) {
        const QString verb = i.key() == list ? QStringLiteral("Stop") : QStringLiteral("Play");
        i.value()->setText(verb);
        i.value()->setAccessibleName(verb + QLatin1Char(' ') + i.key()->accessibleName());
    }
    if (m_video)
        m_video->setVisible(list && m_entries.value(list).kind == MediaPreview::Kind::Video);
}

bool MediaPlayButtons::play(QComboBox *list) {
    if (!m_entries.contains(list))
        return false;
    const bool again = m_playing == list;
    stop();
    if (again)
        return false;
    const QString name = list->currentText().trimmed();
    if (name.isEmpty()) {
        EditorMessages::ask(m_dialog, QString(),
                            QStringLiteral("Select the file you want to play."),
                            Status::Icon::Information);
        return false;
    }
    const Entry e = m_entries.value(list);
    quintptr window = 0;
    if (e.kind == MediaPreview::Kind::Video && m_video) {
        m_video->show();
        window = static_cast<quintptr>(m_video->winId());
    }
    if (!m_preview->play(e.kind, e.folder + name, window)) {
        if (m_video)
            m_video->hide();
        return false;
    }
    showPlaying(list);
    return true;
}

void MediaPlayButtons::stop() {
    m_preview->stop();
    showPlaying(nullptr);
}
