#include "console/FolderView.h"

#include "platform/Dialogs.h"
#include "platform/Launcher.h"
#include "platform/Services.h"

namespace FolderView {

void show(Services& services, const QString& folder, const QString& title) {
    if (services.launcher.openFolder(folder))
        return;
    services.dialogs.msgBox(
        QStringLiteral("Der Ordner kann hier nicht angezeigt werden: Es ist kein "
                       "Dateimanager eingerichtet. Bitte öffnen Sie ihn selbst:\r\n\r\n") +
            folder,
        64, title);
}

} // namespace FolderView
