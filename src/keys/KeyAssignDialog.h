#pragma once
#include <QDialog>
#include <functional>
#include <memory>

class QLabel;
class TickSource;
class TickSourceFactory;

// "Taste zuweisen": takes the next key pressed for a board button. F2 to F12 and letters, with or without
// Shift, are taken and the dialog closes by itself a moment later, saying where the key was before when it
// moved; any other key is refused with the German reason and the dialog waits for the next. Esc or
// "Abbrechen" leaves it without a key. Not application-modal: the desk plays on. UI thread.
class KeyAssignDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int ShownAfterMs = 1500;

    // assign: gives the key to the button and returns the title it was at before ("" when none).
    KeyAssignDialog(const QString& caption, std::function<QString(const QString& key)> assign,
                    TickSourceFactory& ticks, QWidget* parent);
    ~KeyAssignDialog() override;

    QString message() const;

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::function<QString(const QString&)> m_assign;
    QLabel* m_message = nullptr;
    std::unique_ptr<TickSource> m_close;
    bool m_done = false;
};
