#pragma once
#include "platform/Cp1252.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Compares a section or key name as a profile file holds it with a wanted name, without regard to case,
// exactly as a write of the wanted name and a fresh read would see them. Most comparisons are settled on the
// bytes alone.
class ProfileNameMatcher {
  public:
    ProfileNameMatcher(const QString& name, Cp1252::Charset charset);

    // raw is the trimmed name from the file.
    bool matches(QByteArrayView raw) const { return matches(raw, hasReference(raw)); }
    // The same, with the "&#" test of raw already made (section names are tested once, when the file is
    // read).
    bool matches(QByteArrayView raw, bool rawHasReference) const;

    // The name as a file holds it once written and read back: encoded, blanks around it trimmed. Every lookup
    // (the scan and the index of a large file) compares names in this form.
    static QByteArray stored(const QString& name, Cp1252::Charset charset);

    // True when bytes hold "&#", the start of a numeric reference.
    static bool hasReference(QByteArrayView bytes);

  private:
    bool decodedMatches(QByteArrayView raw) const;

    Cp1252::Charset m_charset;
    QByteArray m_bytes;
    QString m_folded;
    bool m_byteTestValid;
};
