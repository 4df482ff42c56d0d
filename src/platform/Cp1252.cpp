#include "platform/Cp1252.h"

namespace {

// 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char16_t kHighTable[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr int kMaxDigits = 7;

void appendReference(QByteArray& out, char32_t codePoint) {
    out += "&#";
    out += QByteArray::number(static_cast<uint>(codePoint));
    out += ';';
}

// Reads "&#<decimal>;" at bytes[pos]. Returns the length consumed, 0 when it is no valid reference.
int parseReference(const char* bytes, int size, int pos, char32_t* codePoint) {
    if (size - pos < 4 || bytes[pos] != '&' || bytes[pos + 1] != '#')
        return 0;
    char32_t value = 0;
    int i = pos + 2;
    const int firstDigit = i;
    while (i < size && i - firstDigit < kMaxDigits && bytes[i] >= '0' && bytes[i] <= '9') {
        value = value * 10 + static_cast<char32_t>(bytes[i] - '0');
        ++i;
    }
    if (i == firstDigit || i >= size || bytes[i] != ';' || value > kMaxCodePoint)
        return 0;
    *codePoint = value;
    return i + 1 - pos;
}

void appendCodePoint(QString& out, char32_t codePoint) {
    if (codePoint > 0xFFFF) {
        out += QChar(QChar::highSurrogate(codePoint));
        out += QChar(QChar::lowSurrogate(codePoint));
    } else {
        // A lone surrogate stored as a reference comes back as the same lone code unit.
        out += QChar(static_cast<char16_t>(codePoint));
    }
}

bool needsReference(char32_t codePoint) {
    return codePoint < 0x20;
}

void appendUtf8(QByteArray& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

int Cp1252::byteFor(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (int i = 0; i < 32; ++i) {
        if (kHighTable[i] == codePoint)
            return 0x80 + i;
    }
    return -1;
}

char32_t Cp1252::codePointFor(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighTable[byte - 0x80];
    return byte;
}

QByteArray Cp1252::encode(const QString& text, Charset charset) {
    QByteArray out;
    out.reserve(text.size() + 8);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t cp = text.at(i).unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text.at(i).unicode(), text.at(i + 1).unicode());
            ++i;
        }
        if (cp == '&' && i + 1 < n && text.at(i + 1) == QLatin1Char('#')) {
            appendReference(out, cp);
            continue;
        }
        if (needsReference(cp) || QChar::isSurrogate(cp)) {
            appendReference(out, cp);
            continue;
        }
        if (charset == Charset::Utf8) {
            appendUtf8(out, cp);
            continue;
        }
        const int byte = byteFor(cp);
        if (byte < 0)
            appendReference(out, cp);
        else
            out += static_cast<char>(byte);
    }
    return out;
}

QString Cp1252::decode(const QByteArray& bytes, Charset charset) {
    const char* data = bytes.constData();
    const int size = static_cast<int>(bytes.size());
    if (charset == Charset::Utf8 && !bytes.contains("&#"))
        return QString::fromUtf8(bytes);
    QString out;
    out.reserve(size);
    int plainStart = 0; // UTF-8 runs are decoded in one piece, between references
    for (int i = 0; i < size;) {
        char32_t cp = 0;
        const int used = data[i] == '&' ? parseReference(data, size, i, &cp) : 0;
        if (used > 0) {
            if (charset == Charset::Utf8)
                out += QString::fromUtf8(data + plainStart, i - plainStart);
            appendCodePoint(out, cp);
            i += used;
            plainStart = i;
            continue;
        }
        if (charset == Charset::Windows1252)
            out += QChar(static_cast<char16_t>(codePointFor(static_cast<unsigned char>(data[i]))));
        ++i;
    }
    if (charset == Charset::Utf8)
        out += QString::fromUtf8(data + plainStart, size - plainStart);
    return out;
}
