#pragma once
#include "keys/KeyFile.h"
#include "keys/NumberEntry.h"

#include <QObject>
#include <QString>
#include <map>
#include <memory>
#include <vector>

class ConsoleWindow;
class TickSource;
class TickSourceFactory;

// The main console without the mouse. While it is the active window and no text field has the focus: digits
// build a shirt number shown large on the notice line, Enter plays the "Tormusik" title of that number,
// Backspace takes a digit back, Escape or three seconds without a key drop it; the keypad's transport keys
// click Pause or Weiter, Ansage or Musik, Ausblenden and Stop where they are shown; and each button key
// clicks its button. Every one of them presses through the very control a mouse click reaches, so every
// described effect follows. A key held down presses once. UI thread.
class KeyRouter : public QObject {
    Q_OBJECT
  public:
    static constexpr int EntryTimeoutMs = 3000;

    KeyRouter(ConsoleWindow& desk, TickSourceFactory& ticks);
    ~KeyRouter() override;

    // After every board load: the team's keys read again and shown in the buttons' corners.
    void boardLoaded();
    // The key of a board button, "" when it has none.
    QString keyOf(int button) const;
    // Gives the key to the button (taking it from another button, or the button's own key away). The title it
    // was at before, "" when none; what became of the write is told on the notice line.
    QString assign(int button, const QString& key);
    void removeKey(int button);
    // The team's button keys: key name to title path within the program folder, and whether it is on the
    // board.
    struct ButtonKey {
        QString key;
        QString title;
        int button = -1; // -1: the title is gone
    };
    std::vector<ButtonKey> buttonKeys() const;
    const std::map<QString, KeyFile::Transport>& transportKeys() const { return m_transport; }
    int repressGuardMs() const { return m_guardMs; }
    // The title path of a board button within the program folder; "" for a button without a title.
    QString titleOf(int button) const;
    // Plays the "Tormusik" title of a shirt number as Enter after typing it does (the remote's numbers too).
    void playNumber(int number);
    // Clicks the transport control of the action where it is shown, as its keypad key does.
    void transport(KeyFile::Transport action);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Whether the key is the desk's now, and what it does.
    bool ours(int key, Qt::KeyboardModifiers modifiers) const;
    void act(int key, Qt::KeyboardModifiers modifiers);
    void showEntry();
    void playEntry();
    void pressKey(const QString& name);

    ConsoleWindow& m_desk;
    KeyFile m_file;
    NumberEntry m_entry;
    std::unique_ptr<TickSource> m_entryTimeout;
    std::map<QString, QString> m_keys; // key -> title
    std::map<QString, KeyFile::Transport> m_transport;
    int m_guardMs = KeyFile::DefaultGuardMs;
};
