#pragma once
#include <string>

// One sound device as the engine's output sees it: opened paused, started, watched, closed. The SDL device in
// the desk; in tests a stand-in that fails and comes back on command. The calls come one at a time from the
// UI thread (start-up, end) or the output watchdog; only the render runs on the device's own thread.
class OutputBackend {
  public:
    // Device thread: fills frames of interleaved float stereo in the output format.
    using Render = void (*)(void* context, float* interleaved, int frames);

    virtual ~OutputBackend() = default;
    // Opens the default device without starting it; false when there is none (no card, no sound server).
    virtual bool open(Render render, void* context) = 0;
    // Starts the opened device: render is called from now on.
    virtual void start() = 0;
    // True once the opened device has stopped for good (card unplugged, sound server gone).
    virtual bool lost() = 0;
    // Closes the device; once this returns no render runs any more. Harmless when nothing is open.
    virtual void close() = 0;

    // The kernel's id of the thread that renders, once it has rendered; 0 before, or where none is known.
    virtual long renderThread() const { return 0; }
    // A name for the log: the driver the device plays through.
    virtual const char* driverName() const { return "Ausgabe"; }

    // The device to open from now on, by name (empty: the system's default). fallBack: while that device is
    // missing, open the default instead; without it, nothing opens (a pre-listen must never reach the hall).
    virtual void prefer(const std::string& name, bool fallBack) {
        static_cast<void>(name);
        static_cast<void>(fallBack);
    }
    // True while the open device is the default standing in for a chosen one that is missing.
    virtual bool standingIn() const { return false; }
    // Whether the chosen device is there now.
    virtual bool preferredPresent() { return true; }
};
