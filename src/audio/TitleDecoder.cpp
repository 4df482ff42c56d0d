#include "audio/TitleDecoder.h"

#include "audio/FormatSniffer.h"
#include "audio/SpscRing.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/common.h>
}

namespace {
// A run of unreadable packets this long means the rest of the file is garbage: end the title there.
constexpr int kMaxFailures = 200;
} // namespace

TitleDecoder::TitleDecoder(int outputRate) : resampler_(outputRate) {}

TitleDecoder::~TitleDecoder() {
    closeAll();
}

// Any thread: FFmpeg asks this between the steps of a read or a seek.
int TitleDecoder::interrupted(void* self) {
    const std::atomic<bool>* flag = static_cast<const TitleDecoder*>(self)->abort_;
    return flag && flag->load(std::memory_order_relaxed) ? 1 : 0;
}

void TitleDecoder::closeAll() {
    resampler_.reset();
    av_frame_free(&frame_);
    av_packet_free(&packet_);
    avcodec_free_context(&codec_);
    avformat_close_input(&format_);
    stream_ = -1;
    durationMs_ = -1;
    ended_ = true;
}

AudioError TitleDecoder::open(const QString& path) {
    closeAll();
    const QFileInfo info(path);
    if (!info.exists()) {
        return AudioError::FileNotFound;
    }
    if (!info.isFile() || info.size() == 0) {
        return AudioError::InvalidFile;
    }
    // The file protocol is named so that a colon, a dash or a pipe sign in the name is just a name.
    const QByteArray url = "file:" + QFile::encodeName(info.absoluteFilePath());
    // A short probe first: with FFmpeg's default of 5 MB, a WAV costs 5 to 10 ms of stream probing
    // before the first sample, while every header here tells all that is needed within 16 KiB.
    // Only when that leaves the stream undescribed does the full probe run.
    const FormatSniffer sniffer(info.absoluteFilePath());
    AudioError result = AudioError::InvalidFile;
    if (sniffer.format()) {
        result = openStream(url, FormatSniffer::kHeadBytes, sniffer.format(), sniffer.tagBytes());
    }
    if (result != AudioError::None) {
        closeAll();
        result = openStream(url, 0, nullptr, 0);
        if (result != AudioError::None) {
            closeAll();
        }
    }
    return result;
}

AudioError TitleDecoder::openStream(const QByteArray& url, std::int64_t probeBytes,
                                    const AVInputFormat* container, std::int64_t skipBytes) {
    format_ = avformat_alloc_context();
    if (!format_) {
        return AudioError::InvalidFile;
    }
    format_->interrupt_callback.callback = &TitleDecoder::interrupted;
    format_->interrupt_callback.opaque = this;
    if (probeBytes > 0) {
        format_->probesize = probeBytes;
    }
    format_->skip_initial_bytes = skipBytes; // tags in front: nothing in them is played
    if (avformat_open_input(&format_, url.constData(), container, nullptr) < 0) {
        format_ = nullptr; // freed by FFmpeg on failure
        return AudioError::InvalidFile;
    }
    if (avformat_find_stream_info(format_, nullptr) < 0) {
        return AudioError::InvalidFile;
    }
    const AVCodec* decoder = nullptr;
    stream_ = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    if (stream_ < 0 || !decoder) {
        return AudioError::InvalidFile;
    }
    for (unsigned i = 0; i < format_->nb_streams; ++i) {
        if (static_cast<int>(i) != stream_) {
            format_->streams[i]->discard = AVDISCARD_ALL; // cover pictures and the like
        }
    }
    const AVStream* st = format_->streams[stream_];
    codec_ = avcodec_alloc_context3(decoder);
    if (!codec_ || avcodec_parameters_to_context(codec_, st->codecpar) < 0) {
        return AudioError::InvalidFile;
    }
    codec_->pkt_timebase = st->time_base; // lets the decoder move timestamps past skipped samples
    codec_->thread_count = 1;             // frame threads would only add delay before the first samples
    if (avcodec_open2(codec_, decoder, nullptr) < 0 || codec_->sample_rate <= 0 ||
        codec_->ch_layout.nb_channels <= 0) {
        return AudioError::InvalidFile;
    }
    startPts_ = st->start_time != AV_NOPTS_VALUE ? st->start_time : 0;
    if (format_->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE) {
        durationMs_ = -1; // a guess from one frame's bit rate: offsets and remaining times need the real one
    } else if (st->duration != AV_NOPTS_VALUE && st->duration > 0) {
        durationMs_ = av_rescale_q(st->duration, st->time_base, AVRational{1, 1000});
    } else if (format_->duration != AV_NOPTS_VALUE && format_->duration > 0) {
        durationMs_ = av_rescale(format_->duration, 1000, AV_TIME_BASE);
    }
    packet_ = av_packet_alloc();
    frame_ = av_frame_alloc();
    return packet_ && frame_ ? AudioError::None : AudioError::InvalidFile;
}

std::int64_t TitleDecoder::measureDurationMs() {
    if (!format_) {
        return -1;
    }
    std::int64_t end = AV_NOPTS_VALUE;
    while (av_read_frame(format_, packet_) >= 0) {
        if (packet_->stream_index == stream_ && packet_->pts != AV_NOPTS_VALUE) {
            const std::int64_t packetEnd =
                av_sat_add64(packet_->pts, std::max<std::int64_t>(0, packet_->duration));
            end = end == AV_NOPTS_VALUE ? packetEnd : std::max(end, packetEnd);
        }
        av_packet_unref(packet_);
    }
    if (end != AV_NOPTS_VALUE && end > startPts_) {
        durationMs_ =
            av_rescale_q(end - startPts_, format_->streams[stream_]->time_base, AVRational{1, 1000});
    }
    return durationMs_;
}

std::int64_t TitleDecoder::prerollSamples() const {
    const AVCodecDescriptor* descriptor = avcodec_descriptor_get(codec_->codec_id);
    if (!descriptor || !(descriptor->props & AV_CODEC_PROP_LOSSY)) {
        return 0; // PCM and FLAC decode exactly from any frame the demuxer lands on
    }
    const std::int64_t rate = codec_->sample_rate;
    switch (codec_->codec_id) {
    case AV_CODEC_ID_MP1:
    case AV_CODEC_ID_MP2:
    case AV_CODEC_ID_MP3: {
        // A frame may take its data from up to 511 bytes before it (the bit reservoir): under 60 ms of
        // run-up at usual bit rates gives garbled samples, and at low rates that reach spans many
        // frames. Twice the reservoir in frames at the average rate, and never under 100 ms.
        const std::int64_t frameSamples = codec_->frame_size > 0 ? codec_->frame_size : 1152;
        std::int64_t frames = 10;
        if (codec_->bit_rate > 0) {
            const std::int64_t frameBits = std::max<std::int64_t>(1, codec_->bit_rate * frameSamples / rate);
            frames = 2 * ((511 * 8 + frameBits - 1) / frameBits) + 1;
        }
        return std::max(rate / 10, frames * frameSamples);
    }
    case AV_CODEC_ID_AAC:
        return rate / 20; // one overlapping window and some margin
    default:
        return rate / 10;
    }
}

void TitleDecoder::startAt(std::int64_t positionMs, std::int64_t skipFrames) {
    // Kept to 31 bits, so that milliseconds times any sample rate a header can claim stays within 63.
    targetMs_ = std::clamp<std::int64_t>(positionMs, 0, 0x7FFFFFFF);
    skipFrames_ = std::max<std::int64_t>(0, skipFrames);
    staging_.clear();
    stagingRead_ = 0;
    failures_ = 0;
    reseeked_ = false;
    resampler_.reset();
    ended_ = format_ == nullptr;
    if (ended_) {
        return;
    }
    const std::int64_t rate = codec_->sample_rate;
    const std::int64_t target = targetMs_ * rate / 1000;
    // Not clamped at 0: AAC keeps priming packets before the first sample, and the first heard frame
    // needs them decoded just as much as any later one needs its run-up.
    seekToSample(target - prerollSamples());
}

void TitleDecoder::seekToSample(std::int64_t sourceSample) {
    const AVStream* st = format_->streams[stream_];
    seekedSample_ = sourceSample;
    nextIndex_ = -1;
    demuxerDone_ = false;
    // MP3 counts its timestamps from before the encoder delay: the title's first sample sits at the
    // stream's start time, so every target is taken relative to it.
    // Saturating: a damaged header may put the start time anywhere.
    const std::int64_t ts = av_sat_add64(
        startPts_, av_rescale_q(sourceSample, AVRational{1, codec_->sample_rate}, st->time_base));
    // Backward lands at or before the target; a target before the first packet makes some demuxers
    // refuse that, and then the nearest packet (the first one) is just as good.
    if (av_seek_frame(format_, stream_, ts, AVSEEK_FLAG_BACKWARD) < 0) {
        avformat_seek_file(format_, stream_, INT64_MIN, ts, INT64_MAX, 0);
    }
    avcodec_flush_buffers(codec_);
}

void TitleDecoder::dropSkipped() {
    if (skipFrames_ <= 0) {
        return;
    }
    const auto pending = static_cast<std::int64_t>((staging_.size() - stagingRead_) / 2);
    const std::int64_t drop = std::min(pending, skipFrames_);
    stagingRead_ += static_cast<std::size_t>(drop) * 2;
    skipFrames_ -= drop;
    if (stagingRead_ == staging_.size()) {
        staging_.clear();
        stagingRead_ = 0;
    }
}

bool TitleDecoder::pump(SpscRing& ring, std::size_t minFrames) {
    std::size_t written = 0;
    for (;;) {
        dropSkipped();
        if (stagingRead_ < staging_.size()) {
            const std::size_t pending = (staging_.size() - stagingRead_) / 2;
            const std::size_t n = ring.write(staging_.data() + stagingRead_, pending);
            stagingRead_ += n * 2;
            written += n;
            if (n < pending) {
                return true; // ring full
            }
            staging_.clear();
            stagingRead_ = 0;
        }
        if (ended_) {
            return false;
        }
        if (written >= minFrames) {
            return true;
        }
        decodeStep();
    }
}

bool TitleDecoder::decodeStep() {
    const int rc = av_read_frame(format_, packet_);
    if (rc == AVERROR(EAGAIN)) {
        return true;
    }
    if (rc < 0) {
        drainDecoder();
        return false;
    }
    if (packet_->stream_index != stream_) {
        av_packet_unref(packet_);
        return true;
    }
    const int sent = avcodec_send_packet(codec_, packet_);
    av_packet_unref(packet_);
    if (sent < 0 && sent != AVERROR(EAGAIN)) {
        if (++failures_ > kMaxFailures) {
            ended_ = true;
        }
        return !ended_;
    }
    receiveFrames();
    return true;
}

void TitleDecoder::drainDecoder() {
    demuxerDone_ = true;
    avcodec_send_packet(codec_, nullptr);
    receiveFrames();
    if (demuxerDone_) { // not restarted by a fallback seek while draining
        resampler_.drain(staging_);
        ended_ = true;
    }
}

void TitleDecoder::receiveFrames() {
    while (avcodec_receive_frame(codec_, frame_) >= 0) {
        takeFrame(frame_);
        av_frame_unref(frame_);
    }
}

std::int64_t TitleDecoder::frameIndex(const AVFrame* frame) const {
    const std::int64_t pts = frame->pts != AV_NOPTS_VALUE ? frame->pts : frame->best_effort_timestamp;
    if (pts == AV_NOPTS_VALUE) {
        return av_rescale(seekedSample_, frame->sample_rate, codec_->sample_rate);
    }
    return av_rescale_q(av_sat_sub64(pts, startPts_), format_->streams[stream_]->time_base,
                        AVRational{1, frame->sample_rate});
}

void TitleDecoder::takeFrame(AVFrame* frame) {
    if (frame->nb_samples <= 0 || frame->sample_rate <= 0) {
        return;
    }
    failures_ = 0;
    const std::int64_t target = targetMs_ * frame->sample_rate / 1000;
    const bool first = nextIndex_ < 0;
    const std::int64_t index = first ? frameIndex(frame) : nextIndex_;
    if (first && index > target && !reseeked_) {
        // The demuxer landed past the point it was asked for: decode from the very start instead.
        reseeked_ = true;
        seekToSample(-static_cast<std::int64_t>(codec_->sample_rate));
        return;
    }
    nextIndex_ = av_sat_add64(index, frame->nb_samples);
    if (nextIndex_ <= target) {
        return; // run-up before the start position
    }
    const int skip = index < target ? static_cast<int>(target - index) : 0;
    if (!resampler_.convert(frame, skip, staging_)) {
        ended_ = true;
    }
}
