#pragma once
#include <QString>

// The short form of a file path. There is none on this platform: an existing file keeps its path
// (blanks and all; the open command quotes it), a missing one gives an empty string.
QString shortPathName(const QString& longPath);
