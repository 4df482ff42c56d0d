#pragma once
#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the UI thread, so `kill`, Ctrl+C and a closed terminal
// end the desk the way its menu does. The handler itself only writes the signal's number into a pipe: ending
// the process inside a handler could cut a settings write in half, while the event loop runs the quit only
// between two handlers, when every write has finished. One instance at a time; the previous handlers come
// back when it goes.
class TerminationSignals : public QObject {
    Q_OBJECT
  public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // False when the pipe or a handler could not be set up; the signals then keep their previous actions.
    bool active() const { return m_active; }

  signals:
    // UI thread, once per signal that arrived (signals that arrive close together may come as one).
    void received(int signalNumber);

  private:
    void drain();

    int m_pipe[2] = {-1, -1};
    bool m_active = false;
    QSocketNotifier* m_notifier = nullptr;
};
