// What the command line asks of the desk; the answers a terminal sees are in DeskProcessTest.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLineTest, TakesOneFolderAnswersHelpAndVersionAndRefusesTheRest) {
    using A = CommandLine::Action;
    struct Case {
        QStringList arguments;
        A action;
        QString dir;
        QString error;
    };
    const Case cases[] = {
        {{}, A::Run, "", ""},
        {{"/halle/pult"}, A::Run, "/halle/pult", ""},
        {{"--dir", "-pult"}, A::Run, "-pult", ""},
        {{"--dir=/mit blank"}, A::Run, "/mit blank", ""},
        {{"--", "--help"}, A::Run, "--help", ""},
        {{"/halle", "--version"}, A::Version, "", ""},
        {{"-h", "--unbekannt"}, A::Help, "", ""},
        {{"-V"}, A::Version, "", ""},
        {{"--unbekannt"}, A::Error, "", "unbekannte Option '--unbekannt'"},
        {{"-platform", "offscreen"}, A::Error, "", "unbekannte Option '-platform'"},
        {{"/halle", "--dir"}, A::Error, "", "--dir braucht einen Ordner"},
        {{"/a", "/b"}, A::Error, "", "nur ein Ordner ist möglich, '/b' ist zu viel"},
        {{"--dir", "/a", "/b"}, A::Error, "", "nur ein Ordner ist möglich, '/b' ist zu viel"},
        {{""}, A::Error, "", "der Ordner hat keinen Namen"},
    };
    for (const Case& c : cases) {
        const CommandLine line = CommandLine::parse(c.arguments);
        const std::string what = c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(line.action(), c.action) << what;
        EXPECT_EQ(line.error(), c.error) << what;
        if (c.action == A::Run) {
            EXPECT_EQ(line.dir(), c.dir) << what;
        }
    }
}
