#pragma once
#include <QString>

// Names in the settings file and the start-offset files. A team's sections are the team name followed
// directly by a suffix: team "Damen" and "_Font_Style" give the section "Damen_Font_Style".
namespace SettingsKeys {

inline constexpr char SectionMannschaft[] = "Mannschaft";
inline constexpr char KeyMannschaft[] = "Mannschaft";
inline constexpr char KeyVerein[] = "Verein";

inline constexpr char SuffixHintergrundBild[] = "_Hintergrund_Bild";
inline constexpr char KeyMetaFile[] = "MetaFile";

inline constexpr char SuffixButtonColor[] = "_BUTTON_COLOR";
inline constexpr char KeyFarbe[] = "FARBE";

inline constexpr char SuffixFontStyle[] = "_Font_Style";
inline constexpr char KeySize[] = "Size";
inline constexpr char KeyArt[] = "Art";
inline constexpr char KeyBold[] = "Bold";

inline constexpr char SuffixAusblend[] = "_AUSBLEND";
inline constexpr char KeyZeit[] = "ZEIT";
inline constexpr char KeyVol[] = "Vol";

// The only key of a start-offset section (the section is the title's full path).
inline constexpr char KeyStartOffset[] = "Zeit_01";

// The section of a team for a suffix, e.g. teamSection("Männer", SuffixAusblend) = "Männer_AUSBLEND".
inline QString teamSection(const QString& team, const char* suffix) {
    return team + QString::fromLatin1(suffix);
}

} // namespace SettingsKeys
