#include "appearance/ButtonLook.h"

#include "settings/IniAccess.h"
#include "settings/NumberText.h"
#include "settings/SettingsKeys.h"
#include "widgets/VbColor.h"

ButtonLook ButtonLook::read(const QString& iniFile, const QString& team) {
    ButtonLook look;
    look.colorText = Ini_Read(iniFile, team + SettingsKeys::SuffixButtonColor, SettingsKeys::KeyFarbe);
    look.color = colorOf(look.colorText);
    const QString fontSection = team + SettingsKeys::SuffixFontStyle;
    look.fontSize = parseSize(Ini_Read(iniFile, fontSection, SettingsKeys::KeySize), 9.75);
    look.fontName = Ini_Read(iniFile, fontSection, SettingsKeys::KeyArt);
    if (look.fontName.isEmpty())
        look.fontName = QStringLiteral("Comic Sans MS");
    look.bold = parseBold(Ini_Read(iniFile, fontSection, SettingsKeys::KeyBold));
    return look;
}

double ButtonLook::parseSize(const QString& text, double fallback) {
    // Written with the locale's decimal separator; read with either, so a file moves between locales.
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && v >= 1.0 && v <= 100.0 ? v : fallback;
}

bool ButtonLook::parseBold(const QString& text) {
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double v = QString(t).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok && v != 0.0;
}

std::int32_t ButtonLook::colorOf(const QString& text) {
    if (const auto n = NumberText::wholeNumber(text))
        return static_cast<std::int32_t>(*n);
    // A colour written unsigned (as &H00BBGGRR in decimal with the top bit set) names the same colour.
    bool ok = false;
    const qulonglong u = text.trimmed().toULongLong(&ok);
    return ok && u <= 0xFFFFFFFFull ? static_cast<std::int32_t>(static_cast<std::uint32_t>(u))
                                    : VbColor::ButtonFace;
}
