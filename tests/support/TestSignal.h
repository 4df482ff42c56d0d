#pragma once
#include <cstdint>
#include <vector>

// The tone every audio test plays: two sines per channel whose whole-number frequencies change every
// second, so each second sounds different and any stretch of it pins down its own place in the title.
// Whole-number frequencies keep the phase continuous across the seconds at any sample rate.
class TestSignal {
  public:
    // Left or right (channel 0/1) at time t in seconds.
    static double at(double seconds, int channel);
    // Interleaved stereo, frames frames from firstFrame on, at rate.
    static std::vector<float> stereo(int rate, std::int64_t firstFrame, std::int64_t frames);
    // The same, rounded to 16 bits and back, as a 16-bit file holds it.
    static std::vector<float> stereo16(int rate, std::int64_t firstFrame, std::int64_t frames);

    // The shift (in frames, within +-maxLag) at which got matches want best, comparing the left channel
    // of want[lag..] with got[0..]: 0 means got starts exactly where want does.
    static int bestLag(const std::vector<float>& want, std::int64_t wantOffset, const std::vector<float>& got,
                       int frames, int maxLag);
    // Largest absolute difference of got[0..frames) and want[offset..offset+frames), both channels.
    static double maxError(const std::vector<float>& want, std::int64_t wantOffset,
                           const std::vector<float>& got, int frames);
};
