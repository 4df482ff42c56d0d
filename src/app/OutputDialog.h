#pragma once
#include <QDialog>

class QComboBox;
class QLabel;
class SoundOutputs;

// "Bearbeiten" > "Tonausgabe …": the hall's device and the pre-listen device (headphones, or "aus"), by name.
// A chosen device that is not there now is still offered, marked as missing, so that opening the dialog never
// changes a choice by itself. UI thread.
class OutputDialog : public QDialog {
    Q_OBJECT
  public:
    static const QString SystemDefault;
    static const QString Off;

    explicit OutputDialog(SoundOutputs& outputs, QWidget* parent = nullptr);

    // The names chosen (empty: the default, or no pre-listen); valid after accept().
    QString hall() const;
    QString prelisten() const;

    void accept() override;

  private:
    QComboBox* m_hall = nullptr;
    QComboBox* m_prelisten = nullptr;
    QLabel* m_told = nullptr;
};
