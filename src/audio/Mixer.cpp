#include "audio/Mixer.h"

#include "audio/Voice.h"
#include "platform/Clock.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <thread>

namespace {
// Output thread. Nothing beyond full scale reaches the output: a clamp, not a limiter, because a clamp leaves
// every sample of a sound title untouched (bit for bit), needs no look-ahead or state, and costs a compare
// or two per sample; only a damaged title's garbage is cut. NaN and infinities become silence.
inline float limitToFullScale(float x) {
    const float cut = std::min(std::max(x, -1.0f), 1.0f);
    return std::fabs(x) <= std::numeric_limits<float>::max() ? cut : 0.0f;
}

// In runs of eight without branches, so that the compiler does several samples at a time.
void limitToFullScale(float* interleaved, int frames) {
    const int n = frames * 2;
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        for (int j = 0; j < 8; ++j)
            interleaved[i + j] = limitToFullScale(interleaved[i + j]);
    }
    for (; i < n; ++i)
        interleaved[i] = limitToFullScale(interleaved[i]);
}
} // namespace

Mixer::Mixer(Clock& clock, bool pullMode)
    : clock_(clock), pullMode_(pullMode), scratch_(static_cast<std::size_t>(kChunkFrames) * 2, 0.0f) {
    for (auto& s : states_) {
        s.store(static_cast<int>(VoiceState::Closed));
    }
}

// UI thread.
int Mixer::attach(Voice* voice) {
    for (int i = 0; i < kMaxVoices; ++i) {
        if (voices_[i].load() == nullptr) {
            states_[i].store(static_cast<int>(VoiceState::Opened));
            voices_[i].store(voice);
            return i;
        }
    }
    return -1;
}

// UI thread.
Voice* Mixer::voice(int slot) const {
    return slot >= 0 && slot < kMaxVoices ? voices_[slot].load() : nullptr;
}

// UI thread.
void Mixer::detach(int slot) {
    if (!voice(slot)) {
        return;
    }
    states_[slot].store(static_cast<int>(VoiceState::Closed));
    voices_[slot].store(nullptr);
    waitUntilQuiet();
}

// UI thread.
void Mixer::setState(int slot, VoiceState state) {
    if (voice(slot)) {
        states_[slot].store(static_cast<int>(state));
    }
}

// UI thread.
bool Mixer::changeState(int slot, VoiceState from, VoiceState to) {
    int expected = static_cast<int>(from);
    return voice(slot) && states_[slot].compare_exchange_strong(expected, static_cast<int>(to));
}

// UI thread. A render takes microseconds, so the wait is a short spin; when no render runs (device
// paused, silent clock asleep, pull mode) it returns at once.
void Mixer::waitUntilQuiet() {
    const std::uint64_t seen = renderSeq_.load();
    if ((seen & 1u) == 0) {
        return;
    }
    while (renderSeq_.load() == seen) {
        std::this_thread::yield();
    }
}

// Any thread.
VoiceState Mixer::state(int slot) const {
    if (slot < 0 || slot >= kMaxVoices) {
        return VoiceState::Closed;
    }
    return static_cast<VoiceState>(states_[slot].load(std::memory_order_acquire));
}

// Any thread.
bool Mixer::anyPlaying() const {
    return std::any_of(states_.begin(), states_.end(), [](const std::atomic<int>& s) {
        return s.load(std::memory_order_acquire) == static_cast<int>(VoiceState::Playing);
    });
}

// Any thread.
bool Mixer::anyActive() const {
    return std::any_of(states_.begin(), states_.end(), [](const std::atomic<int>& s) {
        const int state = s.load(std::memory_order_acquire);
        return state == static_cast<int>(VoiceState::Playing) ||
               state == static_cast<int>(VoiceState::Paused);
    });
}

// Output thread.
void Mixer::renderPeriod(float* interleaved, int frames) {
    renderSeq_.fetch_add(1); // odd: voices may be in use from here on
    std::int64_t nowUs = -1; // read from the clock only when a first sample goes out
    for (int done = 0; done < frames;) {
        const int n = std::min(kChunkFrames, frames - done);
        renderChunk(interleaved + static_cast<std::size_t>(done) * 2, n, nowUs);
        done += n;
    }
    renderSeq_.fetch_add(1);
}

// Output thread.
void Mixer::renderChunk(float* out, int frames, std::int64_t& nowUs) {
    std::memset(out, 0, static_cast<std::size_t>(frames) * 2 * sizeof(float));
    bool mixed = false;
    for (int slot = 0; slot < kMaxVoices; ++slot) {
        if (states_[slot].load() != static_cast<int>(VoiceState::Playing)) {
            continue;
        }
        if (Voice* v = voices_[slot].load()) {
            mixVoice(slot, *v, out, frames, nowUs);
            mixed = true;
        }
    }
    // Silence needs no limit, only the gain moves on. The limit comes before the gain, so that a fade or an
    // announcement tames a damaged title as well, and after it, since a ramp's rounding may lift a sample.
    if (mixed) {
        limitToFullScale(out, frames);
    }
    gain_.process(out, frames);
    if (mixed) {
        limitToFullScale(out, frames);
    }
}

// Output thread.
void Mixer::mixVoice(int slot, Voice& voice, float* out, int frames, std::int64_t& nowUs) {
    if (pullMode_) {
        voice.topUp(static_cast<std::size_t>(frames));
    }
    const std::size_t got = voice.take(scratch_.data(), static_cast<std::size_t>(frames));
    voice.applyGain(scratch_.data(), got);
    if (got > 0 && voice.firstSampleUs() < 0) {
        if (nowUs < 0) {
            nowUs = clock_.nowUs();
        }
        voice.markFirstSample(nowUs);
    }
    for (std::size_t i = 0; i < got * 2; ++i) {
        out[i] += scratch_[i];
    }
    if (got < static_cast<std::size_t>(frames) && voice.drained()) {
        int expected = static_cast<int>(VoiceState::Playing);
        states_[slot].compare_exchange_strong(expected, static_cast<int>(VoiceState::Finished));
    }
}
