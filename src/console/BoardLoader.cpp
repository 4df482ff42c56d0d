#include "console/BoardLoader.h"

#include "appearance/ButtonLook.h"
#include "console/BoardWidgets.h"
#include "console/ClickLabel.h"
#include "console/ConsoleWindow.h"
#include "console/TransportArea.h"
#include "console/VbButton.h"
#include "library/Categories.h"
#include "library/FolderListing.h"
#include "library/TitleNames.h"
#include "platform/Dialogs.h"
#include "platform/Launcher.h"
#include "settings/SettingsKeys.h"
#include "settings/StartOffsetStore.h"

namespace {
// Question icon, Cancel / Try Again / Continue, the second button as default.
constexpr int FolderMissingStyle = 294;
constexpr int InformationOk = 64;
} // namespace

BoardLoader::BoardLoader(ConsoleWindow& window) : w(window) {}

bool BoardLoader::run() {
    readLook();
    w.board->resetRuns();
    if (!folderPresent(TitleNames::join(w.programDir(), w.sMannschaft), w.sMannschaft))
        return false;
    if (w.boardSetsCaption())
        w.setWindowTitle(QStringLiteral("Klangwart  ") + w.sMannschaft + QStringLiteral("  ") + w.sVerein);
    // A team folder without one of its category folders is told like a missing team folder: the operator
    // copies it and tries again, instead of the board silently missing a whole category.
    for (const Category& c : Categories::all()) {
        const QString name = w.sMannschaft + QLatin1Char('/') + QString::fromUtf8(c.folder);
        if (!folderPresent(w.categoryFolder(c), name))
            return false;
    }
    pointLists();
    if (w.boardSeedsOffsets())
        seedStartOffsets();
    for (int i : Categories::fillOrder()) {
        const Category& c = Categories::all()[static_cast<std::size_t>(i)];
        fillRun(c);
        if (!withinLimit(c))
            return false;
    }
    const std::int32_t fixedColor = w.transport->Command2->backColor();
    w.board->button(BoardWidgets::Einlaufen)->setBackColor(fixedColor);
    w.board->button(BoardWidgets::Wischen)->setBackColor(fixedColor);
    w.board->Command5->setBackColor(fixedColor);
    return true;
}

void BoardLoader::readLook() {
    w.sVerein = w.Ini_Read(w.sIniFile, SettingsKeys::SectionMannschaft, SettingsKeys::KeyVerein);
    w.sMannschaft = w.Ini_Read(w.sIniFile, SettingsKeys::SectionMannschaft, SettingsKeys::KeyMannschaft);
    const ButtonLook look = ButtonLook::read(w.sIniFile, w.sMannschaft);
    w.vButtonFarbe = look.colorText;
    w.applyPicture(w.Ini_Read(w.sIniFile, w.sMannschaft + SettingsKeys::SuffixHintergrundBild,
                              SettingsKeys::KeyMetaFile));
    w.board->applyLook(look);
}

bool BoardLoader::folderPresent(const QString& folder, const QString& name) {
    // "Wiederholen" checks again, so an operator who copies the folder now goes on with the match;
    // the other answers end the program.
    while (!FolderListing::folderExists(folder)) {
        const QString text = QStringLiteral("Sie müssen den Musikordner ") + name + QStringLiteral(" nach ") +
                             folder + QStringLiteral(" kopieren!");
        const int answer =
            w.services().dialogs.msgBox(text, FolderMissingStyle, QStringLiteral("Musikordner prüfen"));
        if (answer != Dialogs::TryAgain) {
            w.endProgramNow();
            return false;
        }
    }
    return true;
}

void BoardLoader::pointLists() {
    for (const Category& c : Categories::all())
        w.File[static_cast<std::size_t>(c.fileList)] = FolderListing::files(w.categoryFolder(c));
}

void BoardLoader::seedStartOffsets() {
    QStringList paths;
    for (const Category& c : Categories::all()) {
        const QStringList& list = w.File[static_cast<std::size_t>(c.fileList)];
        const int used = c.firstEntryOnly() ? 1 : static_cast<int>(list.size());
        const QString folder = w.categoryFolder(c);
        for (int k = 0; k < used; ++k)
            paths << TitleNames::join(folder, k < list.size() ? list[k] : QString());
    }
    StartOffsetStore(w.programDir(), w.sMannschaft).seedMissing(paths);
}

void BoardLoader::fillRun(const Category& c) {
    const QStringList& list = w.File[static_cast<std::size_t>(c.fileList)];
    const bool damen = w.sMannschaft == QLatin1String("Damen");
    const std::int32_t teamColor = ButtonLook::colorOf(w.vButtonFarbe);
    // Never past the run: an over-full folder is told by the limit check that follows.
    const int count = std::min(static_cast<int>(list.size()), c.runSize);
    for (int k = 0; k < count; ++k) {
        if (c.heading == 2)
            w.board->Label1[3]->setText(damen ? QStringLiteral("Torfrau") : QStringLiteral("Torwart"));
        VbButton* b = w.board->button(c.firstButton + k);
        b->show();
        b->setCaption(TitleNames::caption(list[k]));
        if (!b->caption().isEmpty()) {
            b->setBackColor(teamColor);
            b->setEnabled(true);
        } else {
            b->hide();
        }
    }
}

bool BoardLoader::withinLimit(const Category& c) {
    const QStringList& list = w.File[static_cast<std::size_t>(c.fileList)];
    if (list.size() <= c.limit)
        return true;
    const QString folder = w.categoryFolder(c) + QLatin1Char('/');
    const QString text = QStringLiteral("Im Ordner ") + folder + Categories::limitMessagePart(c) +
                         QStringLiteral("\r\n\r\nDer Ordner wird geöffnet !");
    w.services().dialogs.msgBox(text, InformationOk, QStringLiteral("Sounddaten ") + w.sMannschaft);
    w.services().launcher.start(QStringLiteral("xdg-open"), {folder});
    w.endProgramNow();
    return false;
}
