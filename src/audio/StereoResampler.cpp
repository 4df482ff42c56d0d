#include "audio/StereoResampler.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/opt.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

StereoResampler::StereoResampler(int outputRate) : outputRate_(outputRate) {}

StereoResampler::~StereoResampler() {
    reset();
}

void StereoResampler::reset() {
    swr_free(&swr_);
    inRate_ = 0;
    inFormat_ = -1;
    inChannels_ = 0;
}

bool StereoResampler::fits(const AVFrame* frame) const {
    return swr_ && frame->sample_rate == inRate_ && frame->format == inFormat_ &&
           frame->ch_layout.nb_channels == inChannels_;
}

bool StereoResampler::build(const AVFrame* frame) {
    reset();
    AVChannelLayout inLayout{};
    // A layout that only counts its channels (common in WAV) gets the usual one for that count.
    const bool named = frame->ch_layout.order == AV_CHANNEL_ORDER_NATIVE ||
                       frame->ch_layout.order == AV_CHANNEL_ORDER_CUSTOM;
    if (!named || av_channel_layout_check(&frame->ch_layout) == 0) {
        av_channel_layout_default(&inLayout, frame->ch_layout.nb_channels);
    } else if (av_channel_layout_copy(&inLayout, &frame->ch_layout) < 0) {
        return false;
    }
    AVChannelLayout outLayout = AV_CHANNEL_LAYOUT_STEREO;
    int rc = swr_alloc_set_opts2(&swr_, &outLayout, AV_SAMPLE_FMT_FLT, outputRate_, &inLayout,
                                 static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&inLayout);
    if (rc < 0 || !swr_) {
        return false;
    }
    if (frame->ch_layout.nb_channels == 1) {
        // A mono title sounds at full level on both sides, as it would from the hall's mixing desk;
        // the default downmix rules would take it 3 dB lower.
        const double unity[2] = {1.0, 1.0};
        swr_set_matrix(swr_, unity, 1);
    }
    if (swr_init(swr_) < 0) {
        reset();
        return false;
    }
    inRate_ = frame->sample_rate;
    inFormat_ = frame->format;
    inChannels_ = frame->ch_layout.nb_channels;
    return true;
}

int StereoResampler::run(const std::uint8_t** input, int inputSamples, std::vector<float>& out) {
    const int room = swr_get_out_samples(swr_, inputSamples);
    if (room <= 0) {
        return 0;
    }
    const std::size_t oldSize = out.size();
    out.resize(oldSize + static_cast<std::size_t>(room) * 2);
    auto* dst = reinterpret_cast<std::uint8_t*>(out.data() + oldSize);
    const int got = swr_convert(swr_, &dst, room, input, inputSamples);
    out.resize(oldSize + static_cast<std::size_t>(got > 0 ? got : 0) * 2);
    return got;
}

bool StereoResampler::convert(const AVFrame* frame, int skipSamples, std::vector<float>& out) {
    if (!fits(frame) && !build(frame)) {
        return false;
    }
    const int count = frame->nb_samples - skipSamples;
    if (count <= 0) {
        return true;
    }
    const auto format = static_cast<AVSampleFormat>(frame->format);
    const int bytes = av_get_bytes_per_sample(format);
    const bool planar = av_sample_fmt_is_planar(format) != 0;
    const int planes = planar ? inChannels_ : 1;
    const int stride = planar ? bytes : bytes * inChannels_;
    planes_.resize(static_cast<std::size_t>(planes));
    for (int p = 0; p < planes; ++p) {
        planes_[static_cast<std::size_t>(p)] =
            frame->extended_data[p] + static_cast<std::size_t>(skipSamples) * stride;
    }
    return run(planes_.data(), count, out) >= 0;
}

void StereoResampler::drain(std::vector<float>& out) {
    if (swr_) {
        run(nullptr, 0, out);
    }
}
