#include "AviDecoder.h"

#include "AudioOutput.h"
#include "FileAccess.h"

#include <QFile>
#include <QFileInfo>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <mutex>

namespace {

QString avError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

// The JPEG variants are the plain formats at full range; swscale warns on every frame otherwise.
AVPixelFormat withoutJpegRange(AVPixelFormat format, bool *fullRange) {
    switch (format) {
    case AV_PIX_FMT_YUVJ420P:
        *fullRange = true;
        return AV_PIX_FMT_YUV420P;
    case AV_PIX_FMT_YUVJ422P:
        *fullRange = true;
        return AV_PIX_FMT_YUV422P;
    case AV_PIX_FMT_YUVJ444P:
        *fullRange = true;
        return AV_PIX_FMT_YUV444P;
    case AV_PIX_FMT_YUVJ440P:
        *fullRange = true;
        return AV_PIX_FMT_YUV440P;
    case AV_PIX_FMT_YUVJ411P:
        *fullRange = true;
        return AV_PIX_FMT_YUV411P;
    default:
        return format;
    }
}

int swsColorspace(AVColorSpace space) {
    switch (space) {
    case AVCOL_SPC_BT709:
        return SWS_CS_ITU709;
    case AVCOL_SPC_FCC:
        return SWS_CS_FCC;
    case AVCOL_SPC_SMPTE240M:
        return SWS_CS_SMPTE240M;
    case AVCOL_SPC_BT2020_NCL:
    case AVCOL_SPC_BT2020_CL:
        return SWS_CS_BT2020;
    default:
        return SWS_CS_ITU601;
    }
}

struct Track {
    int stream = -1;
    AVCodecContext *codec = nullptr;
    bool finished = false; // the decoder returned its last frame
};

} // namespace

struct AviDecoder::Private {
    QString file;
    bool withSound = true;
    QString error;

    AVFormatContext *format = nullptr;
    AVPacket *packet = nullptr;
    AVFrame *frame = nullptr;
    Track video;
    Track audio;
    bool inputEnded = false;
    qint64 startUs = 0;
    qint64 lengthUs = 0;
    qint64 nominalFrameUs = 40000;

    qint64 videoUs = 0;
    qint64 videoDurationUs = 0;
    qint64 nextVideoUs = 0;
    AVFrame *picture = nullptr; // the last decoded picture, converted on demand

    SwsContext *scaler = nullptr;
    int scalerColorspace = -1;
    int scalerRange = -1;

    SwrContext *resampler = nullptr;
    AVChannelLayout resamplerLayout{};
    int resamplerFormat = -1;
    int resamplerRate = 0;
    qint64 audioUs = 0;
    qint64 nextAudioUs = 0;
    std::vector<qint16> samples;
    int sampleFrames = 0;

    ~Private() { close(); }

    void close() {
        sws_freeContext(scaler);
        scaler = nullptr;
        scalerColorspace = scalerRange = -1;
        swr_free(&resampler);
        av_channel_layout_uninit(&resamplerLayout);
        resamplerFormat = -1;
        resamplerRate = 0;
        avcodec_free_context(&video.codec);
        avcodec_free_context(&audio.codec);
        video = Track();
        audio = Track();
        av_frame_free(&picture);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avformat_close_input(&format);
        inputEnded = false;
    }

    bool fail(const QString &message) {
        error = message;
        close();
        return false;
    }

    AVCodecContext *openCodec(int stream, QString *why) {
        const AVCodecParameters *par = format->streams[stream]->codecpar;
        const AVCodec *decoder = avcodec_find_decoder(par->codec_id);
        if (!decoder) {
            *why = QStringLiteral("no decoder for %1")
                       .arg(QString::fromUtf8(avcodec_get_name(par->codec_id)));
            return nullptr;
        }
        AVCodecContext *ctx = avcodec_alloc_context3(decoder);
        if (!ctx) {
            *why = QStringLiteral("out of memory");
            return nullptr;
        }
        // One thread: frame threading would hold frames back, and the videos are small.
        ctx->thread_count = 1;
        int rc = avcodec_parameters_to_context(ctx, par);
        if (rc >= 0)
            rc = avcodec_open2(ctx, decoder, nullptr);
        if (rc < 0) {
            *why = avError(rc);
            avcodec_free_context(&ctx);
            return nullptr;
        }
        return ctx;
    }

    bool open() {
        close();
        error.clear();
        const QByteArray path = QFile::encodeName(file);
        int rc = avformat_open_input(&format, path.constData(), nullptr, nullptr);
        if (rc < 0)
            return fail(avError(rc));
        rc = avformat_find_stream_info(format, nullptr);
        if (rc < 0)
            return fail(avError(rc));

        video.stream = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (video.stream < 0)
            return fail(QStringLiteral("no video stream"));
        QString why;
        video.codec = openCodec(video.stream, &why);
        if (!video.codec)
            return fail(why);
        if (withSound) {
            audio.stream =
                av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, video.stream, nullptr, 0);
            // A sound track we cannot decode leaves the picture playing silently.
            if (audio.stream >= 0)
                audio.codec = openCodec(audio.stream, &why);
            if (!audio.codec)
                audio.stream = -1;
        }
        for (unsigned i = 0; i < format->nb_streams; ++i) {
            if (int(i) != video.stream && int(i) != audio.stream)
                format->streams[i]->discard = AVDISCARD_ALL;
        }

        packet = av_packet_alloc();
        frame = av_frame_alloc();
        picture = av_frame_alloc();
        if (!packet || !frame || !picture)
            return fail(QStringLiteral("out of memory"));

        startUs = format->start_time != AV_NOPTS_VALUE ? format->start_time : 0;
        const AVStream *vs = format->streams[video.stream];
        AVRational rate = vs->avg_frame_rate.num > 0 ? vs->avg_frame_rate : vs->r_frame_rate;
        if (rate.num > 0 && rate.den > 0)
            nominalFrameUs = av_rescale(1000000, rate.den, rate.num);
        if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
            lengthUs = format->duration;
        else if (vs->duration != AV_NOPTS_VALUE && vs->duration > 0)
            lengthUs = av_rescale_q(vs->duration, vs->time_base, AVRational{1, 1000000});
        else
            lengthUs = vs->nb_frames > 0 ? vs->nb_frames * nominalFrameUs : 0;
        nextVideoUs = nextAudioUs = 0;
        return true;
    }

    qint64 frameTimeUs(const AVFrame *f, const AVStream *s, qint64 fallback) const {
        const qint64 ts = f->best_effort_timestamp;
        if (ts == AV_NOPTS_VALUE)
            return fallback;
        return av_rescale_q(ts, s->time_base, AVRational{1, 1000000}) - startUs;
    }

    // One frame from `track`'s decoder: 1 got one, 0 needs input, -1 finished.
    int receive(Track &track) {
        if (!track.codec || track.finished)
            return -1;
        const int rc = avcodec_receive_frame(track.codec, frame);
        if (rc >= 0)
            return 1;
        // After the end of input any error means nothing more will come.
        if (rc == AVERROR_EOF || inputEnded) {
            track.finished = true;
            return -1;
        }
        return 0;
    }

    void takeVideo() {
        const AVStream *s = format->streams[video.stream];
        videoUs = frameTimeUs(frame, s, nextVideoUs);
#if LIBAVUTIL_VERSION_INT >= AV_VERSION_INT(57, 30, 100)
        const qint64 duration = frame->duration;
#else
        const qint64 duration = frame->pkt_duration;
#endif
        videoDurationUs = duration > 0
                              ? av_rescale_q(duration, s->time_base, AVRational{1, 1000000})
                              : nominalFrameUs;
        nextVideoUs = videoUs + videoDurationUs;
        av_frame_unref(picture);
        av_frame_move_ref(picture, frame);
    }

    bool setUpResampler() {
        AVChannelLayout layout{};
        if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || frame->ch_layout.nb_channels <= 0)
            av_channel_layout_default(&layout, std::max(frame->ch_layout.nb_channels, 1));
        else
            av_channel_layout_copy(&layout, &frame->ch_layout);
        if (resampler && frame->format == resamplerFormat && frame->sample_rate == resamplerRate &&
            av_channel_layout_compare(&layout, &resamplerLayout) == 0) {
            av_channel_layout_uninit(&layout);
            return true;
        }
        swr_free(&resampler);
        av_channel_layout_uninit(&resamplerLayout);
        resamplerLayout = layout;
        resamplerFormat = frame->format;
        resamplerRate = frame->sample_rate;
        AVChannelLayout stereo{};
        av_channel_layout_default(&stereo, 2);
        int rc = swr_alloc_set_opts2(&resampler, &stereo, AV_SAMPLE_FMT_S16,
                                     AudioOutput::SampleRate, &resamplerLayout,
                                     AVSampleFormat(resamplerFormat), resamplerRate, 0, nullptr);
        av_channel_layout_uninit(&stereo);
        if (rc >= 0)
            rc = swr_init(resampler);
        if (rc < 0) {
            swr_free(&resampler);
            return false;
        }
        return true;
    }

    bool takeAudio() {
        if (frame->sample_rate <= 0 || frame->nb_samples <= 0 || !setUpResampler()) {
            av_frame_unref(frame);
            return false;
        }
        const AVStream *s = format->streams[audio.stream];
        audioUs = frameTimeUs(frame, s, nextAudioUs);
        const int capacity =
            int(av_rescale_rnd(swr_get_delay(resampler, frame->sample_rate) + frame->nb_samples,
                               AudioOutput::SampleRate, frame->sample_rate, AV_ROUND_UP));
        samples.resize(size_t(capacity) * 2);
        auto *out = reinterpret_cast<uint8_t *>(samples.data());
        const int got =
            swr_convert(resampler, &out, capacity,
                        const_cast<const uint8_t **>(frame->extended_data), frame->nb_samples);
        nextAudioUs = audioUs + av_rescale(frame->nb_samples, 1000000, frame->sample_rate);
        av_frame_unref(frame);
        sampleFrames = std::max(got, 0);
        samples.resize(size_t(sampleFrames) * 2);
        return sampleFrames > 0;
    }

    Result next() {
        if (!format)
            return Result::End;
        for (;;) {
            int got = receive(video);
            if (got > 0) {
                takeVideo();
                return Result::Video;
            }
            while ((got = receive(audio)) > 0) {
                if (takeAudio())
                    return Result::Audio;
            }
            const bool audioWaiting = got == 0;
            if (inputEnded) {
                if (video.finished && !audioWaiting)
                    return Result::End;
                continue;
            }
            const int rc = av_read_frame(format, packet);
            if (rc < 0) {
                // The end, or a file cut short: let the decoders give what they still hold.
                inputEnded = true;
                avcodec_send_packet(video.codec, nullptr);
                if (audio.codec)
                    avcodec_send_packet(audio.codec, nullptr);
                continue;
            }
            // A damaged packet is skipped; the decoder picks up again at the next good one.
            if (packet->stream_index == video.stream)
                avcodec_send_packet(video.codec, packet);
            else if (packet->stream_index == audio.stream)
                avcodec_send_packet(audio.codec, packet);
            av_packet_unref(packet);
        }
    }

    QImage convert() {
        if (!picture || picture->width <= 0 || picture->height <= 0 || picture->format < 0)
            return QImage();
        bool fullRange = picture->color_range == AVCOL_RANGE_JPEG;
        const AVPixelFormat source = withoutJpegRange(AVPixelFormat(picture->format), &fullRange);
        SwsContext *ctx = sws_getCachedContext(scaler, picture->width, picture->height, source,
                                               picture->width, picture->height, AV_PIX_FMT_RGB32,
                                               SWS_BILINEAR, nullptr, nullptr, nullptr);
        if (!ctx)
            return QImage();
        const int colorspace = swsColorspace(picture->colorspace);
        if (ctx != scaler || colorspace != scalerColorspace || int(fullRange) != scalerRange) {
            scaler = ctx;
            scalerColorspace = colorspace;
            scalerRange = int(fullRange);
            const int *coefficients = sws_getCoefficients(colorspace);
            // Source range as the file says; RGB output is always full range.
            sws_setColorspaceDetails(ctx, coefficients, fullRange ? 1 : 0, coefficients, 1, 0,
                                     1 << 16, 1 << 16);
        }
        // AV_PIX_FMT_RGB32 is native-endian 0xAARRGGBB, the layout of QImage::Format_RGB32.
        QImage image(picture->width, picture->height, QImage::Format_RGB32);
        if (image.isNull())
            return QImage();
        uint8_t *planes[4] = {image.bits(), nullptr, nullptr, nullptr};
        int strides[4] = {int(image.bytesPerLine()), 0, 0, 0};
        sws_scale(ctx, picture->data, picture->linesize, 0, picture->height, planes, strides);
        return image;
    }
};

AviDecoder::AviDecoder() : d(std::make_unique<Private>()) {}

AviDecoder::~AviDecoder() = default;

bool AviDecoder::open(const QString &file) {
    d->file = file;
    d->withSound = true;
    const QFileInfo info(file);
    if (!info.exists()) {
        d->error = QStringLiteral("file not found");
        return false;
    }
    if (!FileAccess::checkReadable(file, FileAccess::kMaxMediaFileSize) || !info.isReadable()) {
        d->error = QStringLiteral("not a readable file");
        return false;
    }
    // Probing notes and per-frame warnings of damaged files are of no use to a player.
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_ERROR); });
    return d->open();
}

void AviDecoder::dropSound() {
    d->withSound = false;
    if (d->audio.stream >= 0 && d->format)
        d->format->streams[d->audio.stream]->discard = AVDISCARD_ALL;
    avcodec_free_context(&d->audio.codec);
    d->audio = Track();
}

QString AviDecoder::errorString() const {
    return d->error;
}

qint64 AviDecoder::lengthUs() const {
    return d->lengthUs;
}

QSize AviDecoder::frameSize() const {
    if (!d->video.codec)
        return QSize();
    return QSize(d->video.codec->width, d->video.codec->height);
}

bool AviDecoder::hasSound() const {
    return d->audio.codec != nullptr;
}

AviDecoder::Result AviDecoder::next() {
    return d->next();
}

qint64 AviDecoder::videoTimeUs() const {
    return d->videoUs;
}

qint64 AviDecoder::videoDurationUs() const {
    return d->videoDurationUs;
}

QImage AviDecoder::videoImage() {
    return d->convert();
}

qint64 AviDecoder::audioTimeUs() const {
    return d->audioUs;
}

const std::vector<qint16> &AviDecoder::audioSamples() const {
    return d->samples;
}

int AviDecoder::audioFrames() const {
    return d->sampleFrames;
}

bool AviDecoder::seek(qint64 us) {
    if (!d->format)
        return false;
    const qint64 target = std::max<qint64>(us, 0) + d->startUs;
    if (av_seek_frame(d->format, -1, target, AVSEEK_FLAG_BACKWARD) < 0) {
        // Without an index the file cannot seek: start again and let the caller decode forward.
        const bool reopened = d->open();
        return reopened;
    }
    avcodec_flush_buffers(d->video.codec);
    if (d->audio.codec)
        avcodec_flush_buffers(d->audio.codec);
    d->video.finished = d->audio.finished = false;
    d->inputEnded = false;
    swr_free(&d->resampler);
    d->nextVideoUs = d->nextAudioUs = us;
    return true;
}
