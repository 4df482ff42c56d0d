#pragma once
#include "library/Categories.h"

#include <QSet>
#include <QStringList>
#include <array>

// The file lists File1 to File8: the listings of the current team's eight category folders as the last board
// load took them. A press finds its title here, so the board and what it plays never disagree.
struct CategoryLists {
    std::array<QStringList, 8> File;
    // Title paths the last board load could not seed with "0" (a read-only folder, a full disk): they play
    // from the start all the same, as they would after the seed.
    QSet<QString> unseeded;

    const QStringList& of(const Category& c) const { return File[static_cast<std::size_t>(c.fileList)]; }
    QStringList& of(const Category& c) { return File[static_cast<std::size_t>(c.fileList)]; }
    // The file a button of the category plays: its list entry, "" past the end of the list.
    QString fileNameFor(const Category& c, int index) const {
        const QStringList& list = of(c);
        const int pos = index - c.firstButton;
        return pos >= 0 && pos < list.size() ? list[pos] : QString();
    }
};
