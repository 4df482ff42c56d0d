#pragma once
#include <QString>

struct Services;

// A folder shown to the operator in the desktop's file manager; where the machine has none, a box names the
// folder, so that "... DB" and the limit message never do nothing and say nothing. UI thread.
namespace FolderView {
void show(Services& services, const QString& folder, const QString& title);
} // namespace FolderView
