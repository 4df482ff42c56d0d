#pragma once
#include "audio/AudioError.h"
#include "audio/StereoResampler.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <cstdint>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVInputFormat;
struct AVPacket;
class SpscRing;

// One open title: FFmpeg demuxer and decoder, the exact start (seek a little earlier, decode, drop up
// to the wanted sample) and the conversion to float stereo at the output rate. Not thread-safe: its
// owner serialises the UI thread (open, start) and the decoder thread (pump) with a mutex.
class TitleDecoder {
  public:
    explicit TitleDecoder(int outputRate);
    ~TitleDecoder();
    TitleDecoder(const TitleDecoder&) = delete;
    TitleDecoder& operator=(const TitleDecoder&) = delete;

    // Before open: while *flag is true, every read and seek gives up at once (its owner is going away).
    void setAbortFlag(const std::atomic<bool>* flag) { abort_ = flag; }
    // UI thread: opens and probes the file.
    AudioError open(const QString& path);
    // Length of the title in milliseconds as its headers tell it; -1 when they do not, or when FFmpeg could
    // only guess it from the first frame's bit rate (a VBR MP3 without a length header), which may be far
    // out.
    std::int64_t durationMs() const { return durationMs_; }
    // True when the headers gave no length that can be trusted: measureDurationMs() finds the real one.
    bool lengthUnknown() const { return durationMs_ < 0; }
    // Reads the whole stream once, without decoding, for the real length; -1 when it tells none. Takes a few
    // milliseconds for an MP3 of several minutes, so it is for background work; startAt() must follow.
    std::int64_t measureDurationMs();

    // Prepares output from positionMs on (0 for the start); the next frame pump() delivers is that
    // position, exact to the sample. Positions past the real end give a clean end. With skipFrames, that
    // many output frames of the start are dropped: the very samples a start at positionMs would give first,
    // so what follows joins them without a seam.
    void startAt(std::int64_t positionMs, std::int64_t skipFrames = 0);
    // Moves output into the ring, decoding as needed, until at least minFrames went in, the ring is full
    // or the title is exhausted. Returns false once everything up to the end is in the ring.
    bool pump(SpscRing& ring, std::size_t minFrames);

  private:
    static int interrupted(void* self);
    void closeAll();
    AudioError openStream(const QByteArray& url, std::int64_t probeBytes, const AVInputFormat* container,
                          std::int64_t skipBytes);
    void seekToSample(std::int64_t sourceSample);
    void dropSkipped();
    bool decodeStep();
    void drainDecoder();
    void receiveFrames();
    void takeFrame(AVFrame* frame);
    std::int64_t frameIndex(const AVFrame* frame) const;
    std::int64_t prerollSamples() const;

    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    int stream_ = -1;
    std::int64_t startPts_ = 0;
    std::int64_t durationMs_ = -1;
    StereoResampler resampler_;

    // State of the current start.
    std::int64_t targetMs_ = 0;
    std::int64_t seekedSample_ = 0; // where the last seek aimed, in source samples
    std::int64_t nextIndex_ = -1;   // source sample index of the next decoded frame, -1 until known
    bool reseeked_ = false;         // the fallback seek to the very start was used
    bool demuxerDone_ = false;
    bool ended_ = true;
    int failures_ = 0;           // consecutive read or decode failures
    std::vector<float> staging_; // converted output not yet in the ring
    std::size_t stagingRead_ = 0;
    std::int64_t skipFrames_ = 0; // output frames of the start still to drop
    const std::atomic<bool>* abort_ = nullptr;
};
