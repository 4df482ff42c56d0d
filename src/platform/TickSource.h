#pragma once
#include <functional>
#include <memory>

// A repeating tick on the UI thread, like a window timer: interval 0 stops it, any other interval
// (re)starts a fresh period. Ticks arrive between handlers, never inside one.
class TickSource {
  public:
    virtual ~TickSource() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    std::function<void()> onTick;
};

class TickSourceFactory {
  public:
    virtual ~TickSourceFactory() = default;
    virtual std::unique_ptr<TickSource> create() = 0;
};
