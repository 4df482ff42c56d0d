#pragma once
#include <QString>
#include <QStringList>
#include <vector>

// The shirt number the operator types on the top row or the keypad: up to two digits, taken back one by one,
// and the "Tormusik" titles whose two ordering characters are that number, compared as numbers ("7" finds
// "07..."), in board order. UI thread.
class NumberEntry {
  public:
    static constexpr int MaxDigits = 2;

    // A digit typed; one beyond the second is not taken.
    void digit(int d);
    // Takes back the last digit.
    void backspace();
    void clear() { m_digits.clear(); }
    bool pending() const { return !m_digits.isEmpty(); }
    QString digits() const { return m_digits; }
    int number() const { return m_digits.toInt(); }

    // Positions in the category list (board order) of the titles with the number.
    static std::vector<int> titlesNumbered(const QStringList& names, int number);

  private:
    QString m_digits;
};
