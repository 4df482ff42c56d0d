#include "console/BoardLoader.h"

#include "appearance/ButtonLook.h"
#include "console/BoardWidgets.h"
#include "library/Categories.h"
#include "library/CategoryLists.h"
#include "library/FolderListing.h"
#include "library/ProgramPaths.h"
#include "library/TitleNames.h"
#include "platform/Dialogs.h"
#include "platform/Launcher.h"
#include "platform/Services.h"
#include "settings/SettingsKeys.h"
#include "settings/StartOffsetStore.h"
#include "settings/TeamSettings.h"
#include "widgets/ClickLabel.h"
#include "widgets/VbButton.h"

namespace {
// Question icon, Cancel / Try Again / Continue, the second button as default.
constexpr int FolderMissingStyle = 294;
constexpr int InformationOk = 64;
} // namespace

BoardLoader::BoardLoader(const Console& console) : w(console) {}

namespace {

// "Wiederholen" checks again, so an operator who copies the folder now goes on with the match.
bool folderPresent(const QString& folder, const QString& name, Dialogs& dialogs) {
    while (!FolderListing::folderExists(folder)) {
        const QString text = QStringLiteral("Sie müssen den Musikordner ") + name + QStringLiteral(" nach ") +
                             folder + QStringLiteral(" kopieren!");
        if (dialogs.msgBox(text, FolderMissingStyle, QStringLiteral("Musikordner prüfen")) !=
            Dialogs::TryAgain)
            return false;
    }
    return true;
}

} // namespace

bool BoardLoader::teamFoldersPresent(const QString& programDir, const QString& team, Dialogs& dialogs) {
    if (!folderPresent(ProgramPaths::teamFolder(programDir, team), team, dialogs))
        return false;
    // A team folder without one of its category folders is told like a missing team folder: the operator
    // copies it and tries again, instead of the board silently missing a whole category.
    for (const Category& c : Categories::all()) {
        const QString name = team + QLatin1Char('/') + QString::fromUtf8(c.folder);
        if (!folderPresent(ProgramPaths::categoryFolder(programDir, team, c), name, dialogs))
            return false;
    }
    return true;
}

bool BoardLoader::run() {
    readLook();
    w.board.resetRuns();
    const QString team = w.settings.sMannschaft;
    if (!teamFoldersPresent(w.services.programDir, team, w.services.dialogs)) {
        w.endProgram();
        return false;
    }
    if (w.setCaption)
        w.setCaption(QStringLiteral("Klangwart  ") + team + QStringLiteral("  ") + w.settings.sVerein);
    pointLists();
    if (w.seedsOffsets)
        seedStartOffsets();
    for (int i : Categories::fillOrder()) {
        const Category& c = Categories::all()[static_cast<std::size_t>(i)];
        fillRun(c);
        if (!withinLimit(c))
            return false;
    }
    for (VbButton* b : w.board.fixedButtons())
        b->setBackColor(w.fixedColor);
    return true;
}

QString BoardLoader::categoryFolder(const Category& c) const {
    return ProgramPaths::categoryFolder(w.services.programDir, w.settings.sMannschaft, c);
}

void BoardLoader::readLook() {
    w.settings.readTeam();
    const ButtonLook look = ButtonLook::read(w.settings.sIniFile, w.settings.sMannschaft);
    m_teamColor = look.color;
    w.applyPicture(w.settings.teamValue(SettingsKeys::SuffixHintergrundBild, SettingsKeys::KeyMetaFile));
    w.board.applyLook(look);
}

void BoardLoader::pointLists() {
    for (const Category& c : Categories::all())
        w.lists.of(c) = FolderListing::files(categoryFolder(c));
}

void BoardLoader::seedStartOffsets() {
    QStringList paths;
    for (const Category& c : Categories::all()) {
        const QStringList& list = w.lists.of(c);
        const int used = c.firstEntryOnly() ? 1 : static_cast<int>(list.size());
        const QString folder = categoryFolder(c);
        for (int k = 0; k < used; ++k)
            paths << ProgramPaths::join(folder, k < list.size() ? list[k] : QString());
    }
    const StartOffsetStore store(w.services.programDir, w.settings.sMannschaft);
    const StartOffsetStore::Seeding seeding = store.seed(paths);
    w.lists.unseeded = QSet<QString>(seeding.unwritten.begin(), seeding.unwritten.end());
    w.settings.report(
        {WriteOutcome::Subject::StartOffsets,
         QStringLiteral("Die Startzeiten neuer Titel wurden nicht gespeichert, sie starten am Anfang"),
         store.filePath(), seeding.error});
}

void BoardLoader::fillRun(const Category& c) {
    const QStringList& list = w.lists.of(c);
    const bool damen = w.settings.sMannschaft == QLatin1String("Damen");
    // Never past the run: an over-full folder is told by the limit check that follows.
    const int count = std::min(static_cast<int>(list.size()), c.runSize);
    for (int k = 0; k < count; ++k) {
        if (c.heading == 2)
            w.board.Label1[3]->setText(damen ? QStringLiteral("Torfrau") : QStringLiteral("Torwart"));
        VbButton* b = w.board.button(c.firstButton + k);
        b->show();
        b->setCaption(TitleNames::caption(list[k]));
        if (!b->caption().isEmpty()) {
            b->setBackColor(m_teamColor);
            b->setEnabled(true);
        } else {
            b->hide();
        }
    }
}

bool BoardLoader::withinLimit(const Category& c) {
    const QStringList& list = w.lists.of(c);
    if (list.size() <= c.limit)
        return true;
    const QString folder = categoryFolder(c) + QLatin1Char('/');
    const QString text = QStringLiteral("Im Ordner ") + folder + Categories::limitMessagePart(c) +
                         QStringLiteral("\r\n\r\nDer Ordner wird geöffnet !");
    w.services.dialogs.msgBox(text, InformationOk, QStringLiteral("Sounddaten ") + w.settings.sMannschaft);
    w.services.launcher.openFolder(folder);
    w.endProgram();
    return false;
}
