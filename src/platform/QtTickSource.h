#pragma once
#include "platform/TickSource.h"

#include <QTimer>

// A window timer: ticks on the UI thread from its event loop, so never inside a handler.
class QtTickSource : public TickSource {
  public:
    QtTickSource();
    void setInterval(int ms) override;
    int interval() const override { return m_interval; }

  private:
    QTimer m_timer;
    int m_interval = 0;
};

class QtTickSourceFactory : public TickSourceFactory {
  public:
    std::unique_ptr<TickSource> create() override { return std::make_unique<QtTickSource>(); }
};
