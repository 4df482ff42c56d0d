#include "app/CommandLine.h"

#include "KlangwartVersion.h"

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine result;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (optionsEnded || !a.startsWith(QLatin1Char('-')) || a == QLatin1String("-")) {
            if (!result.takeDir(a))
                return result;
        } else if (a == QLatin1String("--")) {
            optionsEnded = true;
        } else if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            result.m_action = Action::Help;
            return result;
        } else if (a == QLatin1String("-V") || a == QLatin1String("--version")) {
            result.m_action = Action::Version;
            return result;
        } else if (a == QLatin1String("--dir")) {
            if (i + 1 >= arguments.size())
                return failure(QStringLiteral("--dir braucht einen Ordner"));
            if (!result.takeDir(arguments[++i]))
                return result;
        } else if (a.startsWith(QLatin1String("--dir="))) {
            if (!result.takeDir(a.mid(6)))
                return result;
        } else if (a == QLatin1String("--remote")) {
            result.m_remotePort = DefaultRemotePort;
        } else if (a.startsWith(QLatin1String("--remote="))) {
            bool ok = false;
            const int port = a.mid(9).toInt(&ok);
            if (!ok || port < 1 || port > 65535)
                return failure(QStringLiteral("--remote braucht einen Port von 1 bis 65535, nicht '%1'").arg(a.mid(9)));
            result.m_remotePort = port;
        } else {
            return failure(QStringLiteral("unbekannte Option '%1'").arg(a));
        }
    }
    return result;
}

bool CommandLine::takeDir(const QString& dir) {
    if (dir.isEmpty())
        m_error = QStringLiteral("der Ordner hat keinen Namen");
    else if (!m_dir.isEmpty())
        m_error = QStringLiteral("nur ein Ordner ist möglich, '%1' ist zu viel").arg(dir);
    else
        m_dir = dir;
    if (!m_error.isEmpty())
        m_action = Action::Error;
    return m_error.isEmpty();
}

CommandLine CommandLine::failure(const QString& error) {
    CommandLine result;
    result.m_action = Action::Error;
    result.m_error = error;
    return result;
}

QString CommandLine::helpText() {
    return QStringLiteral(
        "Aufruf: klangwart [ORDNER]\n"
        "Klangwart ist das Tonpult für die Hallensprecher-Anlage beim Handball.\n"
        "\n"
        "Im Programmordner liegen die Einstellungen (Klangwart.ini), die Startzeiten der Titel\n"
        "(Damen.ini, Männer.ini, Jugend.ini) und die Musikordner Damen, Männer und Jugend.\n"
        "Ohne Angabe ist das der Ordner, in dem das Programm liegt. Das installierte Programm\n"
        "nimmt ~/Klangwart und legt diesen Ordner beim ersten Start mit leeren Musikordnern an.\n"
        "\n"
        "  ORDNER, --dir ORDNER  diesen Programmordner verwenden\n"
        "  --remote[=PORT]       die Fernbedienung für diesen Lauf einschalten (Port 8765)\n"
        "  -h, --help            diese Hilfe zeigen und beenden\n"
        "  -V, --version         die Version zeigen und beenden\n"
        "\n"
        "Rückgabewert: 0 nach dem Beenden, 1 ohne Programmordner, 2 bei einer falschen Angabe.\n");
}

QString CommandLine::versionText() {
    return QStringLiteral("Klangwart " KLANGWART_VERSION "\n"
                          "Lizenz: GNU GPL Version 3 oder neuer (GPL-3.0-or-later).\n"
                          "Dies ist freie Software: Sie dürfen sie ändern und weitergeben.\n"
                          "Es gibt keine Garantie, soweit das Gesetz es zulässt.\n");
}
