#pragma once
#include <QString>

// Rules that turn a title file name into what the board shows and a path the desk plays.
namespace TitleNames {

// The name without its two ordering characters and its four-character extension. A name of six
// characters or fewer gives "" (its button stays hidden).
QString caption(const QString& fileName);

// dir + "/" + name, without doubling the separator when dir is the root.
QString join(const QString& dir, const QString& name);

// program directory / team / category folder / file name: the file that is played and the section of its
// start offset.
QString titlePath(const QString& programDir, const QString& team, const QString& folder,
                  const QString& fileName);

} // namespace TitleNames
