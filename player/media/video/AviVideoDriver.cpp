#include "AviVideoDriver.h"

#include "AudioOutput.h"
#include "AviDecoder.h"
#include "FrameSlot.h"
#include "PlaybackClock.h"
#include "VideoSoundTrack.h"
#include "VideoWidget.h"

#include <QApplication>
#include <QPointer>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {
// A picture this late is skipped, but never so many in a row that the picture freezes.
constexpr qint64 kLateUs = 40000;
constexpr int kMaxSkippedInRow = 5;
} // namespace

struct AviVideoDriver::Private {
    AviDecoder decoder;
    PlaybackClock clock;
    std::unique_ptr<VideoSoundTrack> sound;
    AudioOutput *output = nullptr;
    bool soundRegistered = false; // window thread
    std::shared_ptr<FrameSlot> frames = std::make_shared<FrameSlot>();
    QPointer<VideoWidget> widget;
    // Receives the worker's posted calls on the window thread; deleting it drops pending ones.
    std::unique_ptr<QObject> bridge;
    QSize size;

    // Shared between the window thread and the worker.
    mutable std::mutex mutex;
    std::condition_variable wake;
    bool quit = false;
    bool playing = false;
    bool ended = false;
    bool seekPending = false;
    qint64 seekTargetUs = 0;
    std::atomic<qint64> lengthUs{0};
    std::atomic<int> decoded{0};
    std::atomic<int> presented{0};
    std::atomic<bool> repaintPosted{false};

    // The worker's own (the window thread's before the worker starts).
    bool havePending = false; // a decoded picture waiting for its time
    bool atEnd = false;       // the decoder has nothing more
    qint64 pendingUs = 0;
    qint64 pendingDurationUs = 0;
    qint64 videoEndUs = 0;
    qint64 soundFromUs = 0;
    int skippedInRow = 0;

    std::thread worker;

    void appendSound() {
        if (!sound)
            return;
        const qint64 start = decoder.audioTimeUs();
        const int count = decoder.audioFrames();
        if (start + qint64(count) * 1000000 / AudioOutput::SampleRate <= soundFromUs)
            return;
        sound->append(start, decoder.audioSamples().data(), count);
    }

    void takePicture() {
        ++decoded;
        pendingUs = decoder.videoTimeUs();
        pendingDurationUs = decoder.videoDurationUs();
        videoEndUs = std::max(videoEndUs, pendingUs + pendingDurationUs);
    }

    // Decodes up to the next picture, queueing the sound met on the way.
    void decodeNext() {
        for (;;) {
            switch (decoder.next()) {
            case AviDecoder::Result::Audio:
                appendSound();
                continue;
            case AviDecoder::Result::Video:
                takePicture();
                havePending = true;
                return;
            case AviDecoder::Result::End:
                atEnd = true;
                return;
            }
        }
    }

    void present() {
        const QImage image = decoder.videoImage();
        if (image.isNull())
            return;
        frames->put(image);
        ++presented;
        if (bridge && !repaintPosted.exchange(true)) {
            QMetaObject::invokeMethod(
                bridge.get(),
                [this] {
                    repaintPosted = false;
                    if (widget)
                        widget->update();
                },
                Qt::QueuedConnection);
        }
    }

    // Decodes from the key frame before `targetUs` and shows the picture covering it.
    void seekTo(qint64 targetUs) {
        if (sound)
            sound->clear();
        havePending = false;
        atEnd = false;
        skippedInRow = 0;
        videoEndUs = 0;
        soundFromUs = targetUs;
        if (!decoder.seek(targetUs)) {
            atEnd = true;
            return;
        }
        bool decodedAny = false;
        for (;;) {
            const AviDecoder::Result result = decoder.next();
            if (result == AviDecoder::Result::Audio) {
                appendSound();
                continue;
            }
            if (result == AviDecoder::Result::End) {
                // Past the last picture: show the last one.
                atEnd = true;
                if (decodedAny)
                    present();
                return;
            }
            takePicture();
            decodedAny = true;
            if (pendingUs + pendingDurationUs > targetUs) {
                present();
                return;
            }
        }
    }

    qint64 endOfPlayUs() const {
        const qint64 end = std::max(videoEndUs, sound ? sound->endUs() : 0);
        return end > 0 ? end : lengthUs.load();
    }

    void finish(qint64 endUs) {
        if (lengthUs < endUs)
            lengthUs = endUs;
        playing = false;
        ended = true;
        clock.stop();
        clock.set(lengthUs);
        QMetaObject::invokeMethod(
            bridge.get(),
            [this] {
                std::unique_lock<std::mutex> lock(mutex);
                const bool stillEnded = !playing;
                lock.unlock();
                if (stillEnded) {
                    unregisterSound();
                    // An ended video leaves no picture behind: what lies below shows again.
                    if (widget)
                        widget->hide();
                }
            },
            Qt::QueuedConnection);
    }

    void run() {
        std::unique_lock<std::mutex> lock(mutex);
        while (!quit) {
            if (seekPending) {
                const qint64 target = seekTargetUs;
                seekPending = false;
                lock.unlock();
                seekTo(target);
                lock.lock();
                continue;
            }
            if (!havePending && !atEnd) {
                lock.unlock();
                decodeNext();
                lock.lock();
                continue;
            }
            if (!playing) {
                wake.wait(lock);
                continue;
            }
            const qint64 now = clock.nowUs();
            if (havePending) {
                if (now < pendingUs) {
                    wake.wait_until(lock, clock.when(pendingUs));
                    continue;
                }
                const bool late = now > pendingUs + std::max(pendingDurationUs, kLateUs) &&
                                  skippedInRow < kMaxSkippedInRow;
                havePending = false;
                lock.unlock();
                if (late) {
                    ++skippedInRow;
                } else {
                    skippedInRow = 0;
                    present();
                }
                lock.lock();
                continue;
            }
            // Everything decoded: the last picture stays for its time and the sound runs out.
            const qint64 endUs = endOfPlayUs();
            if (now < endUs) {
                wake.wait_until(lock, clock.when(endUs));
                continue;
            }
            finish(endUs);
        }
    }

    void registerSound() {
        if (sound && output && !soundRegistered) {
            output->addPostMixSource(sound.get());
            soundRegistered = true;
        }
    }

    void unregisterSound() {
        if (soundRegistered) {
            output->removePostMixSource(sound.get());
            soundRegistered = false;
        }
    }
};

AviVideoDriver::AviVideoDriver() : d(std::make_unique<Private>()) {}

std::unique_ptr<AviVideoDriver> AviVideoDriver::open(const QString &file, quintptr parentWindow,
                                                     QString *error) {
    std::unique_ptr<AviVideoDriver> driver(new AviVideoDriver());
    Private &p = *driver->d;
    if (!p.decoder.open(file)) {
        if (error)
            *error = QStringLiteral("Cannot open '%1': %2").arg(file, p.decoder.errorString());
        return nullptr;
    }
    // Without an audio device the video plays silently.
    if (p.decoder.hasSound()) {
        p.output = AudioOutput::instance();
        if (p.output)
            p.sound = std::make_unique<VideoSoundTrack>(p.clock);
        else
            p.decoder.dropSound();
    }
    p.lengthUs = p.decoder.lengthUs();

    // The first picture proves that the file plays; it is on show until playing starts.
    p.decodeNext();
    if (!p.havePending) {
        if (error)
            *error = QStringLiteral("Cannot open '%1': no picture could be decoded").arg(file);
        return nullptr;
    }
    p.havePending = false;
    p.present();
    p.size = p.frames->get().size();
    if (p.size.isEmpty())
        p.size = p.decoder.frameSize();

    p.bridge = std::make_unique<QObject>();
    // Windows exist only in a widgets application; elsewhere the video plays unseen.
    if (parentWindow != 0 && qobject_cast<QApplication *>(QCoreApplication::instance())) {
        if (QWidget *parent = QWidget::find(WId(parentWindow))) {
            p.widget = new VideoWidget(parent, p.frames);
            p.widget->hide(); // until play
        }
    }
    p.worker = std::thread([&p] { p.run(); });
    return driver;
}

AviVideoDriver::~AviVideoDriver() {
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->quit = true;
    }
    d->wake.notify_all();
    if (d->worker.joinable())
        d->worker.join();
    d->unregisterSound();
    d->bridge.reset();
    // The parent may be gone already, and its children with it.
    delete d->widget.data();
}

bool AviVideoDriver::play() {
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        if (d->playing)
            return true;
        const qint64 length = d->lengthUs;
        if (d->ended || (length > 0 && d->clock.nowUs() >= length)) {
            d->ended = false;
            d->seekPending = true;
            d->seekTargetUs = 0;
            d->clock.set(0);
        }
        d->playing = true;
        d->clock.start();
    }
    d->wake.notify_all();
    d->registerSound();
    if (d->widget) {
        d->widget->show();
        d->widget->raise();
    }
    return true;
}

void AviVideoDriver::stop() {
    halt();
    // A stopped video leaves no picture behind, whether it ran to its end or not.
    if (d->widget)
        d->widget->hide();
}

void AviVideoDriver::pause() {
    halt();
}

void AviVideoDriver::halt() {
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        if (!d->playing)
            return;
        d->playing = false;
        d->clock.stop();
    }
    d->wake.notify_all();
    d->unregisterSound();
}

bool AviVideoDriver::seek(qint64 milliseconds) {
    qint64 us = std::max<qint64>(milliseconds, 0) * 1000;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        const qint64 length = d->lengthUs;
        if (length > 0)
            us = std::min(us, length);
        d->playing = false;
        d->ended = false;
        d->seekPending = true;
        d->seekTargetUs = us;
        d->clock.stop();
        d->clock.set(us);
    }
    d->wake.notify_all();
    d->unregisterSound();
    return true;
}

bool AviVideoDriver::isPlaying() const {
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->playing;
}

qint64 AviVideoDriver::lengthMs() const {
    return d->lengthUs / 1000;
}

qint64 AviVideoDriver::positionMs() const {
    std::lock_guard<std::mutex> lock(d->mutex);
    const qint64 length = d->lengthUs;
    qint64 us = d->ended ? length : std::max<qint64>(d->clock.nowUs(), 0);
    if (length > 0)
        us = std::min(us, length);
    return us / 1000;
}

QSize AviVideoDriver::videoSize() const {
    return d->size;
}

bool AviVideoDriver::hasSound() const {
    return d->sound && d->output;
}

QWidget *AviVideoDriver::videoWidget() const {
    return d->widget.data();
}

QImage AviVideoDriver::currentFrame() const {
    return d->frames->get();
}

int AviVideoDriver::framesDecoded() const {
    return d->decoded;
}

int AviVideoDriver::framesPresented() const {
    return d->presented;
}
