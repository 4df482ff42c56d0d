#include "settings/NumberText.h"

#include <QLocale>
#include <cmath>
#include <cstdint>
#include <limits>

namespace NumberText {

namespace {

// "&H..." or "&O..." (trimmed), read as an unsigned 32-bit number and then taken as signed.
std::optional<long> prefixedNumber(QStringView t) {
    if (t.size() < 3 || t[0] != QLatin1Char('&'))
        return std::nullopt;
    const QChar kind = t[1].toUpper();
    const int base = kind == QLatin1Char('H') ? 16 : kind == QLatin1Char('O') ? 8 : 0;
    QStringView digits = t.mid(2);
    if (digits.endsWith(QLatin1Char('&')))
        digits.chop(1);
    bool ok = false;
    const qulonglong v =
        base == 0 || digits.isEmpty() || digits[0] == QLatin1Char('+') || digits[0] == QLatin1Char('-')
            ? 0
            : digits.toULongLong(&ok, base);
    if (!ok || v > 0xFFFFFFFFull)
        return std::nullopt;
    return static_cast<long>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
}

} // namespace

double leadingValue(const QString& text) {
    if (const auto n = prefixedNumber(QStringView(text).trimmed()))
        return static_cast<double>(*n);
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
    const QStringView t = QStringView(text).trimmed();
    if (t.startsWith(QLatin1Char('&')))
        return prefixedNumber(t);
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
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
