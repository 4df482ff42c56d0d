#include "settings/NumberText.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace NumberText {

double leadingValue(const QString& text) {
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const int start = i;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128)
            ++i;
    }
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    return ok ? v : 0.0;
}

std::optional<long> wholeNumber(const QString& text) {
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    if (!ok || v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<long>(v);
}

QString display(double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return locale.toString(static_cast<qlonglong>(value));
    QString s = locale.toString(value, 'f', 6);
    const QChar sep = locale.decimalPoint().at(0);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(sep))
        s.chop(1);
    return s;
}

} // namespace NumberText
