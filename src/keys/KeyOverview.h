#pragma once
#include <QWidget>

class ConsoleWindow;
class KeyRouter;
class Printer;
class QTextBrowser;

// Every key of the loaded team on one page (Umschalt+F1): the transport, the menus, the shirt numbers of the
// "Tormusik" titles and the button keys, a key whose title is gone listed as such; printable. UI thread.
class KeyOverview : public QWidget {
    Q_OBJECT
  public:
    KeyOverview(const ConsoleWindow& desk, const KeyRouter& keys, Printer* printer);

    // The page as HTML, for the window, the printer and the tests.
    static QString html(const ConsoleWindow& desk, const KeyRouter& keys);
    // Reads the keys again (the team or a key changed).
    void refresh();

  private:
    const ConsoleWindow& m_desk;
    const KeyRouter& m_keys;
    Printer* m_printer;
    QTextBrowser* m_page = nullptr;
};
