#pragma once
#include <QString>
#include <functional>

struct Services;

// What the main console makes sure of before it reads anything: temporary files that killed saves left next
// to the program are removed, and a settings file that is there but cannot be read (a folder, no permission)
// is told as what it is, not as the missing music folder it would look like further on. UI thread.
namespace StartupCheck {

// False when the operator gave up at the settings file and the program was ended.
bool run(Services& services, const std::function<void()>& endProgram);

// Why the settings file cannot be read; "" when it can, and when it is missing (the first write creates it).
QString unreadableBecause(const QString& file);

} // namespace StartupCheck
