#include "platform/ProfileDocument.h"

#include "platform/AtomicFile.h"
#include "platform/ProfileNameMatcher.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// UTF-8 when the file says so with a byte order mark, or when it was saved as UTF-8 by an editor that writes
// none: valid UTF-8 throughout, holding at least one of the letters À to ÿ (ä, ö, ü, ß, é ...), which every
// German text has. In Windows-1252 those two bytes would read "Ã" and a symbol, a pair no German text holds,
// and a Windows-1252 file with umlauts is never valid UTF-8 (an ä alone, or before a plain letter, is not):
// such a file stays Windows-1252, byte for byte, whatever is written into it.
Cp1252::Charset charsetOf(const QByteArray& raw) {
    if (raw.startsWith(kUtf8Bom))
        return Cp1252::Charset::Utf8;
    const bool latinLetter = raw.contains('\xC3');
    return latinLetter && QByteArrayView(raw).isValidUtf8() ? Cp1252::Charset::Utf8
                                                            : Cp1252::Charset::Windows1252;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// The name between "[" and the last "]" of a header line, trimmed; false when the line is no section header.
bool sectionNameRange(QByteArrayView text, int* begin, int* length) {
    qsizetype open = 0;
    while (open < text.size() && isBlank(text.at(open)))
        ++open;
    if (open >= text.size() || text.at(open) != '[')
        return false;
    qsizetype close = text.size() - 1;
    while (close > open && text.at(close) != ']')
        --close;
    if (close <= open)
        return false;
    qsizetype b = open + 1;
    qsizetype e = close;
    while (b < e && isBlank(text.at(b)))
        ++b;
    while (e > b && isBlank(text.at(e - 1)))
        --e;
    *begin = static_cast<int>(b);
    *length = static_cast<int>(e - b);
    return true;
}

QByteArrayView keyBytes(QByteArrayView text) {
    const qsizetype eq = text.indexOf('=');
    return (eq < 0 ? text : text.first(eq)).trimmed();
}

QByteArrayView valueBytes(QByteArrayView text) {
    const qsizetype eq = text.indexOf('=');
    return eq < 0 ? QByteArrayView() : text.sliced(eq + 1).trimmed();
}

// The profile read hands out a value enclosed in matching single or double quotes without them.
QString unquoted(const QString& value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

size_t countLines(const char* p, const char* end) {
    size_t lines = 1;
    while (const void* nl = std::memchr(p, '\n', static_cast<size_t>(end - p))) {
        ++lines;
        p = static_cast<const char*>(nl) + 1;
    }
    return lines;
}

} // namespace

ProfileDocument ProfileDocument::load(const QString& path) {
    ProfileDocument doc;
    doc.m_path = path;
    const QFileInfo info(path);
    if (!info.exists())
        return doc;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        doc.m_unreadable = true;
        return doc;
    }
    const QByteArray raw = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        doc.m_unreadable = true;
        return doc;
    }
    doc.parse(raw);
    return doc;
}

ProfileDocument ProfileDocument::fromBytes(const QString& path, const QByteArray& raw) {
    ProfileDocument doc;
    doc.m_path = path;
    doc.parse(raw);
    return doc;
}

QString ProfileDocument::firstValue(const QByteArray& raw, const QString& section, const QString& key) {
    // The lines as parse() splits them, the section and key tests as value() makes them.
    const bool utf8 = raw.startsWith(kUtf8Bom);
    const Cp1252::Charset charset = charsetOf(raw);
    const ProfileNameMatcher wantedSection(section, charset);
    const ProfileNameMatcher wantedKey(key, charset);
    const char* data = raw.constData();
    const qsizetype size = raw.size();
    bool inSection = false;
    for (qsizetype pos = utf8 ? kUtf8Bom.size() : 0; pos < size;) {
        const void* hit = std::memchr(data + pos, '\n', static_cast<size_t>(size - pos));
        const qsizetype nl = hit ? static_cast<const char*>(hit) - data : size;
        const qsizetype end = hit && nl > pos && data[nl - 1] == '\r' ? nl - 1 : nl;
        const QByteArrayView text(data + pos, end - pos);
        pos = nl + 1;
        int begin = 0;
        int length = 0;
        if (sectionNameRange(text, &begin, &length)) {
            if (inSection)
                return QString(); // the first matching section has no such key
            inSection = wantedSection.matches(text.sliced(begin, length));
        } else if (inSection && !text.trimmed().isEmpty() && wantedKey.matches(keyBytes(text))) {
            return unquoted(Cp1252::decode(valueBytes(text).toByteArray(), charset));
        }
    }
    return QString();
}

void ProfileDocument::parse(const QByteArray& raw) {
    m_raw = raw;
    qsizetype pos = 0;
    m_charset = charsetOf(m_raw);
    if (m_raw.startsWith(kUtf8Bom)) {
        m_bom = kUtf8Bom;
        pos = kUtf8Bom.size();
    }
    const char* data = m_raw.constData();
    const qsizetype size = m_raw.size();
    bool styleKnown = false;
    m_lines.reserve(countLines(data + pos, data + size));
    while (pos < size) {
        const void* hit = std::memchr(data + pos, '\n', static_cast<size_t>(size - pos));
        const qsizetype nl = hit ? static_cast<const char*>(hit) - data : size;
        const bool crlf = hit && nl > pos && data[nl - 1] == '\r';
        const qsizetype end = crlf ? nl - 1 : nl;
        const Eol eol = !hit ? Eol::None : crlf ? Eol::CrLf : Eol::Lf;
        // Lines point into m_raw, which is never changed, so no line is copied.
        m_lines.push_back({QByteArray::fromRawData(data + pos, end - pos), eol});
        addSection(static_cast<int>(m_lines.size()) - 1);
        if (hit && !styleKnown) {
            m_newLineEol = eol;
            styleKnown = true;
        }
        pos = nl + 1;
    }
    if (!m_sections.empty())
        m_sections.back().end = static_cast<int>(m_lines.size());
}

// Registers line as a section header when it is one; the section before it ends there.
void ProfileDocument::addSection(int line) {
    int begin = 0;
    int length = 0;
    if (!sectionNameRange(m_lines[line].text, &begin, &length))
        return;
    if (!m_sections.empty())
        m_sections.back().end = line;
    const bool reference =
        ProfileNameMatcher::hasReference(QByteArrayView(m_lines[line].text).sliced(begin, length));
    m_sections.push_back({line, line + 1, begin, length, reference});
    if (m_indexed) {
        const QString key = indexKey(Cp1252::decode(
            QByteArrayView(m_lines[line].text).sliced(begin, length).toByteArray(), m_charset));
        if (!m_sectionIndex.contains(key))
            m_sectionIndex.insert(key, static_cast<int>(m_sections.size()) - 1);
    }
}

QByteArrayView ProfileDocument::sectionName(const Section& section) const {
    return QByteArrayView(m_lines[section.header].text).sliced(section.nameBegin, section.nameLength);
}

namespace {
// Below this many sections, or this many lookups in one document, a plain scan is cheaper than the index.
constexpr std::size_t IndexFromSections = 48;
constexpr int IndexFromLookups = 8;
} // namespace

QString ProfileDocument::indexKey(const QString& decodedName) const {
    return decodedName.toCaseFolded();
}

void ProfileDocument::indexSection(int sectionIndex) const {
    const QByteArrayView raw = sectionName(m_sections[static_cast<std::size_t>(sectionIndex)]);
    // The first of duplicate sections wins, so a later one never replaces it.
    m_sectionIndex.insert(indexKey(Cp1252::decode(raw.toByteArray(), m_charset)), sectionIndex);
}

int ProfileDocument::findSection(const QString& section) const {
    if (m_sections.size() >= IndexFromSections && ++m_lookups >= IndexFromLookups) {
        if (!m_indexed) {
            m_sectionIndex.clear();
            m_sectionIndex.reserve(static_cast<qsizetype>(m_sections.size()));
            for (int i = static_cast<int>(m_sections.size()) - 1; i >= 0; --i)
                indexSection(i); // from the last, so the first of duplicates is what stays
            m_indexed = true;
        }
        // The name as a write would store it and a read would see it again: the scan's name rule.
        const QString key =
            indexKey(Cp1252::decode(ProfileNameMatcher::stored(section, m_charset), m_charset));
        const auto it = m_sectionIndex.constFind(key);
        return it == m_sectionIndex.cend() ? -1 : it.value();
    }
    const ProfileNameMatcher wanted(section, m_charset);
    for (int i = 0; i < static_cast<int>(m_sections.size()); ++i) {
        const Section& candidate = m_sections[i];
        if (wanted.matches(sectionName(candidate), candidate.nameHasReference))
            return i; // the first of duplicate sections wins
    }
    return -1;
}

int ProfileDocument::findKey(const Section& section, const QString& key) const {
    const ProfileNameMatcher wanted(key, m_charset);
    for (int i = section.header + 1; i < section.end; ++i) {
        const QByteArrayView text(m_lines[i].text);
        if (text.trimmed().isEmpty())
            continue;
        if (wanted.matches(keyBytes(text)))
            return i;
    }
    return -1;
}

QString ProfileDocument::value(const QString& section, const QString& key) const {
    const int s = findSection(section);
    if (s < 0)
        return QString();
    const int line = findKey(m_sections[s], key);
    if (line < 0)
        return QString();
    return unquoted(Cp1252::decode(valueBytes(m_lines[line].text).toByteArray(), m_charset));
}

std::vector<std::pair<QString, QString>> ProfileDocument::entries(const QString& section) const {
    std::vector<std::pair<QString, QString>> out;
    const int s = findSection(section);
    if (s < 0)
        return out;
    for (int i = m_sections[s].header + 1; i < m_sections[s].end; ++i) {
        const QByteArrayView text(m_lines[i].text);
        if (text.trimmed().isEmpty() || text.indexOf('=') < 0)
            continue;
        const QString key = Cp1252::decode(keyBytes(text).toByteArray(), m_charset);
        if (findKey(m_sections[s], key) == i) // the first of duplicates, as value() finds it
            out.emplace_back(key, unquoted(Cp1252::decode(valueBytes(text).toByteArray(), m_charset)));
    }
    return out;
}

bool ProfileDocument::setValue(const QString& section, const QString& key, const QString& value) {
    if (m_charset == Cp1252::Charset::Windows1252 && readsAsUtf8After(section, key, value)) {
        // Rare Windows-1252 bytes that would be valid UTF-8 with a letter from À to ÿ once written would read back
        // as UTF-8, every such letter another: the file becomes UTF-8 with a byte order mark first, which reads
        // back as it is meant.
        *this = fromBytes(m_path, kUtf8Bom + Cp1252::decode(toBytes(), Cp1252::Charset::Windows1252).toUtf8());
    }
    const bool changed = write(section, key, value);
    // And the other way: UTF-8 without a mark whose last letter from À to ÿ is gone would read as Windows-1252;
    // the mark keeps it UTF-8.
    if (m_charset == Cp1252::Charset::Utf8 && m_bom.isEmpty() &&
        std::none_of(m_lines.begin(), m_lines.end(), [](const Line& l) { return l.text.contains('\xC3'); }))
        m_bom = kUtf8Bom;
    return changed;
}

bool ProfileDocument::readsAsUtf8After(const QString& section, const QString& key, const QString& value) const {
    // Without the byte 0xC3 anywhere no file reads as UTF-8: the common case costs no copy.
    const bool c3 = std::any_of(m_lines.begin(), m_lines.end(), [](const Line& l) { return l.text.contains('\xC3'); }) ||
                    Cp1252::encode(section + key + value, m_charset).contains('\xC3');
    if (!c3)
        return false;
    ProfileDocument trial = *this;
    trial.write(section, key, value);
    return charsetOf(trial.toBytes()) == Cp1252::Charset::Utf8;
}

bool ProfileDocument::write(const QString& section, const QString& key, const QString& value) {
    const QByteArray encoded = Cp1252::encode(value, m_charset);
    const int s = findSection(section);
    if (s < 0) {
        appendSection(section, key, encoded);
        return true;
    }
    const int line = findKey(m_sections[s], key);
    if (line >= 0)
        return replaceValue(line, encoded);
    insertKey(s, key, encoded);
    return true;
}

bool ProfileDocument::replaceValue(int line, const QByteArray& encodedValue) {
    const QByteArray& text = m_lines[line].text;
    const qsizetype eq = text.indexOf('=');
    if (eq >= 0 && valueBytes(text) == QByteArrayView(encodedValue))
        return false;
    QByteArray prefix;
    if (eq < 0) {
        prefix = text;
        while (!prefix.isEmpty() && isBlank(prefix.back()))
            prefix.chop(1);
        prefix += '=';
    } else {
        // Keep the hand-made layout "Key = value" around the new value.
        qsizetype start = eq + 1;
        while (start < text.size() && isBlank(text.at(start)))
            ++start;
        prefix = text.left(start);
    }
    m_lines[line].text = prefix + encodedValue;
    return true;
}

void ProfileDocument::insertLine(int at, const QByteArray& text) {
    if (at > 0 && m_lines[at - 1].eol == Eol::None)
        m_lines[at - 1].eol = m_newLineEol;
    m_lines.insert(m_lines.begin() + at, Line{text, m_newLineEol});
    for (Section& s : m_sections) {
        if (s.header >= at)
            ++s.header;
        if (s.end >= at)
            ++s.end;
    }
}

void ProfileDocument::insertKey(int sectionIndex, const QString& key, const QByteArray& encodedValue) {
    const Section& section = m_sections[sectionIndex];
    int at = section.header + 1;
    for (int i = section.end - 1; i > section.header; --i) {
        if (!QByteArrayView(m_lines[i].text).trimmed().isEmpty()) {
            at = i + 1;
            break;
        }
    }
    insertLine(at, Cp1252::encode(key, m_charset) + '=' + encodedValue);
}

void ProfileDocument::appendSection(const QString& section, const QString& key,
                                    const QByteArray& encodedValue) {
    if (!m_lines.empty() && m_lines.back().eol == Eol::None)
        m_lines.back().eol = m_newLineEol;
    m_lines.push_back({'[' + Cp1252::encode(section, m_charset) + ']', m_newLineEol});
    addSection(static_cast<int>(m_lines.size()) - 1);
    m_lines.push_back({Cp1252::encode(key, m_charset) + '=' + encodedValue, m_newLineEol});
    m_sections.back().end = static_cast<int>(m_lines.size());
}

QByteArray ProfileDocument::toBytes() const {
    qsizetype total = m_bom.size();
    for (const Line& line : m_lines)
        total += line.text.size() + 2;
    QByteArray out;
    out.reserve(total);
    out += m_bom;
    for (const Line& line : m_lines) {
        out += line.text;
        if (line.eol == Eol::CrLf)
            out += "\r\n";
        else if (line.eol == Eol::Lf)
            out += '\n';
    }
    return out;
}

bool ProfileDocument::save() const {
    return saveChecked() == WriteError::None;
}

WriteError ProfileDocument::saveChecked() const {
    if (m_unreadable) {
        const WriteError refused = AtomicFile::check(m_path);
        return refused != WriteError::None ? refused : WriteError::Unreadable;
    }
    return AtomicFile::replaceChecked(m_path, toBytes());
}
