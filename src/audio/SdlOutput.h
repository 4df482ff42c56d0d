#pragma once
#include <string>
#include <vector>
#include "audio/OutputBackend.h"

#include <SDL.h>
#include <atomic>

// The real sound device through SDL: the system's default output, float32 stereo at the output format. Every
// failed open and every close also ends SDL's audio subsystem, so the next open starts it afresh: a sound
// server that was restarted, or started after the desk, is found again.
class SdlOutput : public OutputBackend {
  public:
    SdlOutput() = default;
    ~SdlOutput() override;
    SdlOutput(const SdlOutput&) = delete;
    SdlOutput& operator=(const SdlOutput&) = delete;

    bool open(Render render, void* context) override;
    void start() override;
    bool lost() override;
    void close() override;
    long renderThread() const override { return renderThread_.load(std::memory_order_acquire); }
    const char* driverName() const override;
    void prefer(const std::string& name, bool fallBack) override;
    bool standingIn() const override { return standingIn_; }
    bool preferredPresent() override;

    // The names of the output devices there are now (any thread).
    static std::vector<std::string> deviceNames();

    // What a sound server is asked to keep of the desk's stream. SDL asks for one period (5.3 ms), and with
    // so little a busy machine makes the server run dry even when the desk's output thread runs real-time
    // (measured: 6 to 11 gaps in 8 s with three busy processes on two cores). 15 ms had none with real-time
    // scheduling, 20 ms none without; without it the desk asks for twice that.
    static constexpr int ServerBufferMs = 15;
    static constexpr int ServerBufferWithoutRealtimeMs = 40;

  private:
    static void SDLCALL callback(void* self, Uint8* stream, int len);
    void quitAudio();

    Render render_ = nullptr;
    void* context_ = nullptr;
    bool sdlReady_ = false;
    SDL_AudioDeviceID device_ = 0;
    std::string preferred_;
    bool fallBack_ = true;
    bool standingIn_ = false;
    std::atomic<long> renderThread_{0};
};
