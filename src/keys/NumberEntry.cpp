#include "keys/NumberEntry.h"

void NumberEntry::digit(int d) {
    if (m_digits.size() < MaxDigits && d >= 0 && d <= 9)
        m_digits += QChar(u'0' + d);
}

void NumberEntry::backspace() {
    m_digits.chop(1);
}

std::vector<int> NumberEntry::titlesNumbered(const QStringList& names, int number) {
    std::vector<int> found;
    for (int i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        if (name.size() > 2 && name[0].isDigit() && name[1].isDigit() && name.left(2).toInt() == number)
            found.push_back(i);
    }
    return found;
}
