#include "playback/PressDispatch.h"

#include "library/Categories.h"
#include "library/CategoryLists.h"
#include "library/ProgramPaths.h"
#include "settings/NumberText.h"
#include "settings/StartOffsetStore.h"

namespace PressDispatch {

namespace {
constexpr int EarlyStartButton = 55;
constexpr long EarlyStartAbove = 3000;
constexpr long EarlyStartBy = 1500;
} // namespace

std::optional<QString> pathFor(int index, const QString& programDir, const QString& team,
                               const CategoryLists& lists) {
    const Category* c = Categories::forButton(index);
    if (!c)
        return std::nullopt;
    return ProgramPaths::join(ProgramPaths::categoryFolder(programDir, team, *c),
                              lists.fileNameFor(*c, index));
}

std::optional<Title> titleFor(int index, const QString& programDir, const QString& team,
                              const CategoryLists& lists) {
    const std::optional<QString> path = pathFor(index, programDir, team, lists);
    if (!path)
        return std::nullopt;
    Title t{*path, StartOffsetStore(programDir, team).read(*path)};
    if (t.storedOffset.isEmpty() && lists.unseeded.contains(t.path))
        t.storedOffset = QStringLiteral("0");
    return t;
}

QString mainOffsetText(int index, const QString& stored) {
    if (index == EarlyStartButton) {
        if (const auto n = NumberText::wholeNumber(stored); n && *n > EarlyStartAbove)
            return QString::number(*n - EarlyStartBy);
    }
    return stored;
}

std::int32_t editorOffset(const QString& stored) {
    const auto n = NumberText::wholeNumber(stored);
    return n ? static_cast<std::int32_t>(*n) : 0;
}

QString playedOffsetText(bool mainConsole, int index, const QString& stored) {
    return mainConsole ? mainOffsetText(index, stored) : QString::number(editorOffset(stored));
}

QString titleText(int index, const QString& caption) {
    if (index == Categories::WischenButton)
        return QStringLiteral("Wischen");
    if (index == Categories::EinlaufenButton)
        return QStringLiteral("Einlaufen");
    return caption;
}

} // namespace PressDispatch
