#pragma once

// Qt's own texts in German, whatever language the machine speaks: "Strg+A" in the menus, "Abbrechen" on the
// standard buttons. The desk speaks German everywhere.
namespace GermanTexts {
// Loads Qt's German translation into the running application; false when it is not installed.
bool install();
} // namespace GermanTexts
