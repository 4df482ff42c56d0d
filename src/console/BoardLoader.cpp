#include "console/BoardLoader.h"

#include "appearance/ButtonLook.h"
#include "console/BoardWidgets.h"
#include "console/FolderView.h"
#include "library/Categories.h"
#include "library/CategoryLists.h"
#include "library/FolderListing.h"
#include "library/ProgramPaths.h"
#include "library/TitleNames.h"
#include "platform/Dialogs.h"
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

BoardLoader::BoardLoader(const Console& console) : m_console(console) {}

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
    TeamSettings& settings = m_console.settings;
    const QString before = settings.sMannschaft;
    settings.readTeam();
    m_team = m_console.team.isEmpty() ? settings.sMannschaft : m_console.team;
    settings.sMannschaft = m_team;
    const bool built = m_console.mayEnd ? runAtStart() : runDuringMatch();
    if (!built && !m_console.mayEnd)
        settings.sMannschaft = before;
    return built;
}

bool BoardLoader::runAtStart() {
    applyLook();
    if (!teamFoldersPresent(m_console.services.programDir, m_team, m_console.services.dialogs)) {
        m_console.endProgram();
        return false;
    }
    if (m_console.setCaption)
        m_console.setCaption(QStringLiteral("Klangwart  ") + m_team + QStringLiteral("  ") +
                             m_console.settings.sVerein);
    listFolders(m_console.lists);
    if (m_console.seedsOffsets)
        seedStartOffsets();
    for (int i : Categories::fillOrder()) {
        const Category& c = Categories::all()[static_cast<std::size_t>(i)];
        fillRun(c);
        if (m_console.lists.of(c).size() > c.limit) {
            tellOverfull(c);
            m_console.endProgram();
            return false;
        }
    }
    for (VbButton* b : m_console.board.fixedButtons())
        b->setBackColor(m_console.fixedColor);
    return true;
}

bool BoardLoader::runDuringMatch() {
    // Nothing on the board changes until the new one is known to fit.
    if (!teamFoldersPresent(m_console.services.programDir, m_team, m_console.services.dialogs))
        return false;
    CategoryLists lists;
    listFolders(lists);
    if (const Category* c = overfull(lists)) {
        tellOverfull(*c);
        return false;
    }
    m_console.lists.File = std::move(lists.File);
    applyLook();
    if (m_console.setCaption)
        m_console.setCaption(QStringLiteral("Klangwart  ") + m_team + QStringLiteral("  ") +
                             m_console.settings.sVerein);
    if (m_console.seedsOffsets)
        seedStartOffsets();
    for (int i : Categories::fillOrder())
        fillRun(Categories::all()[static_cast<std::size_t>(i)]);
    for (VbButton* b : m_console.board.fixedButtons())
        b->setBackColor(m_console.fixedColor);
    return true;
}

QString BoardLoader::categoryFolder(const Category& c) const {
    return ProgramPaths::categoryFolder(m_console.services.programDir, m_team, c);
}

void BoardLoader::applyLook() {
    const ButtonLook look = ButtonLook::read(m_console.settings.sIniFile, m_team);
    m_teamColor = look.color;
    m_console.applyPicture(
        m_console.settings.teamValue(SettingsKeys::SuffixHintergrundBild, SettingsKeys::KeyMetaFile));
    m_console.board.applyLook(look);
    m_console.board.resetRuns();
}

void BoardLoader::listFolders(CategoryLists& lists) const {
    for (const Category& c : Categories::all())
        lists.of(c) = FolderListing::files(categoryFolder(c));
}

const Category* BoardLoader::overfull(const CategoryLists& lists) {
    for (int i : Categories::fillOrder()) {
        const Category& c = Categories::all()[static_cast<std::size_t>(i)];
        if (lists.of(c).size() > c.limit)
            return &c;
    }
    return nullptr;
}

void BoardLoader::seedStartOffsets() {
    QStringList paths;
    for (const Category& c : Categories::all()) {
        const QStringList& list = m_console.lists.of(c);
        const int used = c.firstEntryOnly() ? 1 : static_cast<int>(list.size());
        const QString folder = categoryFolder(c);
        for (int k = 0; k < used; ++k)
            paths << ProgramPaths::join(folder, k < list.size() ? list[k] : QString());
    }
    const StartOffsetStore store(m_console.services.programDir, m_team);
    const StartOffsetStore::Seeding seeding = store.seed(paths);
    m_console.lists.unseeded = QSet<QString>(seeding.unwritten.begin(), seeding.unwritten.end());
    m_console.settings.report(
        {WriteOutcome::Subject::StartOffsets,
         QStringLiteral("Die Startzeiten neuer Titel wurden nicht gespeichert, sie starten am Anfang"),
         store.filePath(), seeding.error});
}

void BoardLoader::fillRun(const Category& c) {
    const QStringList& list = m_console.lists.of(c);
    const bool damen = m_team == QLatin1String("Damen");
    // Never past the run: an over-full folder is told by the limit check.
    const int count = std::min(static_cast<int>(list.size()), c.runSize);
    for (int k = 0; k < count; ++k) {
        if (c.heading == 2)
            m_console.board.Label1[3]->setText(damen ? QStringLiteral("Torfrau") : QStringLiteral("Torwart"));
        VbButton* b = m_console.board.button(c.firstButton + k);
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

void BoardLoader::tellOverfull(const Category& c) {
    Dialogs& dialogs = m_console.services.dialogs;
    const QString folder = categoryFolder(c) + QLatin1Char('/');
    const QString text = QStringLiteral("Im Ordner ") + folder + Categories::limitMessagePart(c) +
                         QStringLiteral("\r\n\r\nDer Ordner wird geöffnet !");
    dialogs.msgBox(text, InformationOk, QStringLiteral("Sounddaten ") + m_team);
    FolderView::show(m_console.services, folder, QStringLiteral("Sounddaten ") + m_team);
}
