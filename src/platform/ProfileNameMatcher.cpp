#include "platform/ProfileNameMatcher.h"

#include <cstring>

namespace {

inline bool isAscii(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}

inline char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

} // namespace

ProfileNameMatcher::ProfileNameMatcher(const QString& name, Cp1252::Charset charset)
    : m_charset(charset), m_bytes(stored(name, charset)),
      m_folded(Cp1252::decode(m_bytes, charset).toCaseFolded()),
      m_byteTestValid(charset == Cp1252::Charset::Windows1252 && !hasReference(m_bytes)) {}

QByteArray ProfileNameMatcher::stored(const QString& name, Cp1252::Charset charset) {
    return QByteArrayView(Cp1252::encode(name, charset)).trimmed().toByteArray();
}

bool ProfileNameMatcher::hasReference(QByteArrayView bytes) {
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (p < end) {
        const void* amp = std::memchr(p, '&', static_cast<size_t>(end - p));
        if (!amp)
            return false;
        p = static_cast<const char*>(amp) + 1;
        if (p < end && *p == '#')
            return true;
    }
    return false;
}

// The byte test is exact for Windows-1252 names without references: every character is one byte, no letter
// outside ASCII folds into ASCII (nor the other way round), so equal names have equal lengths and equal ASCII
// letters up to case. Two differing bytes above ASCII, references and UTF-8 files are decoded and folded.
bool ProfileNameMatcher::matches(QByteArrayView raw, bool rawHasReference) const {
    if (!m_byteTestValid || rawHasReference)
        return decodedMatches(raw);
    if (raw.size() != m_bytes.size())
        return false;
    const char* want = m_bytes.constData();
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char a = raw[i];
        const char b = want[i];
        if (a == b)
            continue;
        if (isAscii(a) && isAscii(b)) {
            if (asciiLower(a) != asciiLower(b))
                return false;
        } else if (isAscii(a) || isAscii(b)) {
            return false;
        } else {
            return decodedMatches(raw);
        }
    }
    return true;
}

bool ProfileNameMatcher::decodedMatches(QByteArrayView raw) const {
    return Cp1252::decode(raw.toByteArray(), m_charset).toCaseFolded() == m_folded;
}
