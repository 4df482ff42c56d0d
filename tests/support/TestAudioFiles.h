#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

// The audio files the tests play: 16-bit WAV of TestSignal written here, every other format made from
// it by the ffmpeg command, and ffmpeg's own decode as the reference for lossy formats.
class TestAudioFiles {
  public:
    // A 16-bit WAV of frames frames: sample(frame, channel) in -1..1.
    static QByteArray wav(int rate, int channels, std::int64_t frames,
                          const std::function<double(std::int64_t, int)>& sample);
    // 16-bit stereo WAV (mono when channels is 1) of TestSignal, seconds long, at rate.
    static bool writeWav(const QString& path, int rate, double seconds, int channels = 2);
    // Runs ffmpeg on input (of inputFormat, when given) with codecArgs, writing output.
    static bool encode(const QString& input, const QString& output, const QStringList& codecArgs,
                       const QString& inputFormat = QString());
    // ffmpeg's decode of a file as float stereo at 48000 Hz; empty on failure.
    static std::vector<float> decode(const QString& path);
    static bool writeBytes(const QString& path, const QByteArray& bytes);
    // Copies an MP3 with an 800x800 PNG cover picture added to its ID3v2 tag (about 75 KB of tag).
    static bool addCoverPicture(const QString& mp3, const QString& output);
};
