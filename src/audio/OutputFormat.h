#pragma once

// The one format the desk's sound takes from the decoders to the device: 32-bit float, interleaved stereo,
// 48000 Hz, in periods of 256 frames (5.3 ms).
namespace OutputFormat {
constexpr int SampleRate = 48000;
constexpr int Channels = 2;
constexpr int PeriodFrames = 256;
} // namespace OutputFormat
