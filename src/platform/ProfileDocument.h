#pragma once
#include "platform/Cp1252.h"
#include "platform/WriteError.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <utility>
#include <vector>

// One INI file in memory, read and changed the way the Windows profile functions do it: names matched without
// regard to case, the first of duplicates wins, every line the change does not touch keeps its bytes.
// save() replaces the file atomically, so a crash or a failed write leaves the old file whole.
class ProfileDocument {
  public:
    // A missing file gives an empty document that save() creates. A file that exists but cannot be read
    // (a folder, no permission) gives an empty document that refuses to save, so it is never overwritten.
    static ProfileDocument load(const QString& path);
    // The document of bytes already read from path.
    static ProfileDocument fromBytes(const QString& path, const QByteArray& raw);
    // What value() of fromBytes(raw) gives, reading the bytes only as far as the first matching section.
    static QString firstValue(const QByteArray& raw, const QString& section, const QString& key);

    // The trimmed value (matching quotes around it removed, as the profile read does); "" when the section or
    // the key is missing.
    QString value(const QString& section, const QString& key) const;
    // The keys of the section with their values, in file order; of duplicate keys the first, as value() reads.
    std::vector<std::pair<QString, QString>> entries(const QString& section) const;
    // Replaces the key in place, or appends it at the end of its section, or appends the section at the end
    // of the file. Returns false when the key already held exactly this value (nothing changed).
    bool setValue(const QString& section, const QString& key, const QString& value);
    // Writes a temporary file in the same folder, syncs it to disk and renames it over the target.
    // False when anything fails (the old file stays as it was) or the target exists and is read-only.
    bool save() const;
    // The same, telling why it failed.
    WriteError saveChecked() const;

    QString path() const { return m_path; }
    // The file's bytes as save() would write them.
    QByteArray toBytes() const;

  private:
    enum class Eol : quint8 { None, Lf, CrLf };
    struct Line {
        QByteArray text; // without the line ending
        Eol eol;
    };
    struct Section {
        int header;    // line index of "[name]"
        int end;       // one past the last line that belongs to the section
        int nameBegin; // the trimmed name within the header line
        int nameLength;
        bool nameHasReference;
    };

    void parse(const QByteArray& raw);
    void addSection(int line);
    QByteArrayView sectionName(const Section& section) const;
    bool write(const QString& section, const QString& key, const QString& value);
    bool readsAsUtf8After(const QString& section, const QString& key, const QString& value) const;
    int findSection(const QString& section) const;
    int findKey(const Section& section, const QString& key) const;
    bool replaceValue(int line, const QByteArray& encodedValue);
    void insertLine(int at, const QByteArray& text);
    void insertKey(int sectionIndex, const QString& key, const QByteArray& encodedValue);
    void appendSection(const QString& section, const QString& key, const QByteArray& encodedValue);

    QString m_path;
    bool m_unreadable = false;
    QByteArray m_raw; // backs the lines that were never changed
    QByteArray m_bom;
    Cp1252::Charset m_charset = Cp1252::Charset::Windows1252;
    Eol m_newLineEol = Eol::CrLf;
    std::vector<Line> m_lines;
    // Folded section name to its first section, built once a large file is searched again and again (seeding
    // thousands of titles), so not every name is compared with every other. A single read scans instead:
    // building the index would cost more than it saves.
    QString indexKey(const QString& decodedName) const;
    void indexSection(int sectionIndex) const;
    mutable QHash<QString, int> m_sectionIndex;
    mutable bool m_indexed = false;
    mutable int m_lookups = 0;
    std::vector<Section> m_sections; // in file order, duplicates included; lookups take the first match
};
