#include "about/SysInfo.h"

#include "platform/Dialogs.h"
#include "platform/Launcher.h"

#include <QStandardPaths>
#include <cstdint>

QStringList sysInfoCandidates() {
    return {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"), QStringLiteral("gnome-system-monitor"),
            QStringLiteral("xfce4-taskmanager"), QStringLiteral("lxtask")};
}

bool StartSysInfo(Dialogs& dialogs, Launcher& launcher) {
    for (const QString& name : sysInfoCandidates()) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty() && launcher.start(path, {}))
            return true;
    }
    dialogs.msgBox(QStringLiteral("Systeminformationen sind momentan nicht verfügbar"), 0,
                   QStringLiteral("Klangwart"));
    return false;
}

bool registryValueText(unsigned long type, const QByteArray& data, QString& keyVal) {
    QByteArray bytes = data;
    if (bytes.isEmpty())
        return false;
    if (bytes.endsWith('\0'))
        bytes.chop(1);
    if (type == 1) {
        keyVal = QString::fromLocal8Bit(bytes);
    } else if (type == 4) {
        // The bytes from the last to the first make the hexadecimal number: little-endian, read signed.
        std::uint32_t v = 0;
        for (int i = static_cast<int>(bytes.size()) - 1; i >= 0; --i)
            v = (v << 8) | static_cast<std::uint8_t>(bytes[i]);
        keyVal = QString::number(static_cast<std::int32_t>(v));
    }
    return true;
}
