#pragma once
#include <cstdint>
#include <vector>

// The tone every audio test plays: two sines per channel whose whole-number frequencies change every
// second, so any stretch of it pins down its own place in the title, with the phase continuous.
class TestSignal {
  public:
    // Interleaved stereo, frames frames from firstFrame on, at rate.
    static std::vector<float> stereo(int rate, std::int64_t firstFrame, std::int64_t frames);
    // The same, rounded to 16 bits and back, as a 16-bit file holds it.
    static std::vector<float> stereo16(int rate, std::int64_t firstFrame, std::int64_t frames);

    // The shift (in frames, within +-maxLag) at which the left channel of got[0..frames) best matches
    // want[wantOffset + shift..]: 0 means got starts exactly where want does.
    static int bestLag(const std::vector<float>& want, std::int64_t wantOffset, const std::vector<float>& got,
                       int frames, int maxLag);
    // Largest absolute difference of got[0..frames) and want[offset..offset+frames), both channels.
    static double maxError(const std::vector<float>& want, std::int64_t wantOffset,
                           const std::vector<float>& got, int frames);
};
