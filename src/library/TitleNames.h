#pragma once
#include <QString>

// The rule that turns a title file name into what its button shows.
namespace TitleNames {

// The name without its two ordering characters and its four-character extension. A name of six
// characters or fewer gives "" (its button stays hidden).
QString caption(const QString& fileName);

} // namespace TitleNames
