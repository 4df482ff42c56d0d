#pragma once
#include <QString>
#include <cstdint>

// A team's look for its sound buttons as stored in the settings file, with the defaults the desk uses
// when a value is missing or unreadable (the file is hand-edited; a typo must not take the board down).
struct ButtonLook {
    QString colorText;      // "FARBE" exactly as stored
    std::int32_t color = 0; // converted; the button face when the text is no number
    QString fontName;       // "Art"; "Comic Sans MS" when empty
    double fontSize = 9.75; // "Size"; "," or "." as decimal separator; 9.75 when missing or not in 1..100
    bool bold = false;      // "Bold": 0 normal, any other number bold, True/False accepted; else normal

    static ButtonLook read(const QString& iniFile, const QString& team);
    static double parseSize(const QString& text, double fallback);
    static bool parseBold(const QString& text);
    // The team colour from its stored text, the button face when it is no number.
    static std::int32_t colorOf(const QString& text);
};
