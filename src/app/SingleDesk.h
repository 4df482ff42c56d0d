#pragma once
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

// One desk per program folder: two desks on one folder would have two engines writing the same settings and
// start offsets. The first desk holds a lock file in the folder (taken over when the desk that left it has
// died) and listens for later starts, which ask it to come to the front and end. A desk on another folder has
// a lock of its own. UI thread.
class SingleDesk : public QObject {
    Q_OBJECT
  public:
    static constexpr char LockName[] = ".Klangwart.lock";
    static constexpr int AnswerMs = 2000;

    explicit SingleDesk(const QString& programDir);
    ~SingleDesk() override;

    // True when this desk is the only one on the folder now (or the folder cannot hold a lock, as on a
    // read-only medium, where no other desk can write either).
    bool claim();
    // Asks the desk that holds the folder to come to the front; true when it answered within AnswerMs.
    bool raiseFirst() const;

  signals:
    // A later start on the same folder asked for the desk.
    void raiseRequested();

  private:
    QString serverName() const;

    QString m_dir;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
};
