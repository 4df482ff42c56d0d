#include "support/DeskFixture.h"

#include "app/Form1.h"
#include "library/Categories.h"
#include "settings/IniAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

DeskFixture::DeskFixture()
    : services{media, waveOut, dialogs, launcher, clock, ticks, QFileInfo(m_dir.path()).canonicalFilePath()},
      about(dialogs, launcher) {
    services.printer = &printer;
    setIni(QStringLiteral("Mannschaft"), QStringLiteral("Mannschaft"), QStringLiteral("Damen"));
    setIni(QStringLiteral("Mannschaft"), QStringLiteral("Verein"), QStringLiteral("TV Beispiel"));
    for (const char* team : {"Damen", "Männer", "Jugend"})
        writeTeamSettings(QString::fromUtf8(team));
}

DeskFixture::~DeskFixture() = default;

void DeskFixture::setIni(const QString& section, const QString& key, const QString& value) {
    Ini_Write(iniFile(), section, key, value);
}

QString DeskFixture::readIni(const QString& section, const QString& key) const {
    return Ini_Read(iniFile(), section, key);
}

QByteArray DeskFixture::iniBytes() const {
    QFile f(iniFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void DeskFixture::writeTeamSettings(const QString& team, const QString& color, const QString& zeit,
                                    const QString& vol) {
    const std::tuple<const char*, const char*, QString> values[] = {
        {"_BUTTON_COLOR", "FARBE", color},
        {"_Font_Style", "Size", QStringLiteral("10")},
        {"_Font_Style", "Art", QStringLiteral("Arial")},
        {"_Font_Style", "Bold", QStringLiteral("0")},
        {"_Hintergrund_Bild", "MetaFile", QString()},
        {"_AUSBLEND", "ZEIT", zeit},
        {"_AUSBLEND", "Vol", vol}};
    for (const auto& [suffix, key, value] : values)
        setIni(team + QString::fromLatin1(suffix), QString::fromLatin1(key), value);
}

void DeskFixture::makeTeam(const QString& team, const std::map<QString, QStringList>& files) {
    for (const Category& c : Categories::all())
        QDir().mkpath(titlePath(team, QString::fromUtf8(c.folder), QString()));
    for (const auto& [category, names] : files)
        for (const QString& name : names)
            addFile(team, category, name);
}

QString DeskFixture::addFile(const QString& team, const QString& category, const QString& name,
                             const QByteArray& bytes) {
    const QString path = titlePath(team, category, name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QString DeskFixture::titlePath(const QString& team, const QString& category, const QString& name) const {
    return dir() + '/' + team + '/' + category + '/' + name;
}

QString DeskFixture::offset(const QString& team, const QString& title) const {
    return Ini_Read(startOffsetFile(team), title, QStringLiteral("Zeit_01"));
}

void DeskFixture::setOffset(const QString& team, const QString& title, const QString& value) {
    Ini_Write(startOffsetFile(team), title, QStringLiteral("Zeit_01"), value);
}

std::unique_ptr<Form1> DeskFixture::startMain() {
    auto form = std::make_unique<Form1>(services, about);
    form->Form_Load();
    return form;
}

QStringList DeskFixture::numbered(int n) {
    QStringList names;
    for (int i = 1; i <= n; ++i)
        names << QStringLiteral("%1Titel %2.mp3").arg(i, 2, 10, QLatin1Char('0')).arg(i);
    return names;
}

std::map<QString, QStringList> DeskFixture::fullBoard() {
    std::map<QString, QStringList> files;
    for (const Category& c : Categories::all())
        files[QString::fromUtf8(c.folder)] = numbered(c.firstEntryOnly() ? 1 : c.limit);
    return files;
}
