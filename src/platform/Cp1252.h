#pragma once
#include <QByteArray>
#include <QString>

// Text <-> bytes for the profile files: Windows-1252 as the files are delivered, or UTF-8 when a file starts
// with a byte order mark. What a file cannot hold, control characters and a literal "&#" travel as
// "&#<decimal>;" so that no name can tear a line and two names never collapse into one entry.
class Cp1252 {
  public:
    enum class Charset { Windows1252, Utf8 };

    static QByteArray encode(const QString& text, Charset charset = Charset::Windows1252);
    static QString decode(const QByteArray& bytes, Charset charset = Charset::Windows1252);

    // The Windows-1252 byte for a code point, or -1 when the code page has none.
    static int byteFor(char32_t codePoint);
    // The code point a Windows-1252 byte stands for (the five unassigned bytes map to U+0081 and so on,
    // as Windows maps them, so every byte survives a round trip).
    static char32_t codePointFor(unsigned char byte);
};
