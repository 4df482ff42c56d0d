// The six media command strings, as the desk sends them, against a real engine that is pulled here: starts,
// restarts, refused starts and the end of a title as heard, and the error numbers.
#include "audio/MediaCommandInterpreter.h"

#include "support/PullEngine.h"
#include "support/TestTitles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using Mci = MediaCommandInterpreter;

class MediaCommands : public ::testing::Test, public PullEngine {
  protected:
    void SetUp() override { ASSERT_TRUE(TestTitles::get().ok && tmp.isValid()); }

    int openTitle(const QString& path) {
        return media.send("open " + path + " type MPEGVideo alias MyAlias");
    }

    QTemporaryDir tmp;
    MediaCommandInterpreter media{engine};
};

// In mixed case, too: neither command words nor aliases care. (Pause, resume and stop as heard: the playback
// integration test.)
TEST_F(MediaCommands, OpenPlayFromRefusedStartsTheEndAndClose) {
    ASSERT_EQ(media.send("OPEN " + TestTitles::get().flac48 + " TYPE mpegvideo ALIAS MyAlias"), Mci::Ok);
    const int voice = media.voiceOf("myalias");
    EXPECT_TRUE(silent(render(1024))) << "opened, not played";
    ASSERT_EQ(media.send("play MyAlias"), Mci::Ok); // an opened title starts from its beginning
    expectSignalFrom(0, 1024);
    ASSERT_EQ(media.send("Play MYALIAS From 12500"), Mci::Ok); // replaces what was playing
    expectSignalFrom(600000, 3000);
    // Two plays without a stop: the second open fails and the first title plays on; so after a refused start.
    EXPECT_EQ(openTitle(TestTitles::get().wav48), Mci::DuplicateAlias);
    EXPECT_EQ(media.send("play MyAlias from 20001"), Mci::OutOfRange);
    expectSignalFrom(603000);
    ASSERT_EQ(media.send("play MyAlias from 19990"), Mci::Ok);
    expectSignalFrom(959520, 480); // the 10 ms that were left
    EXPECT_TRUE(silent(render(2048)));
    EXPECT_EQ(engine.state(voice), VoiceState::Finished);
    EXPECT_EQ(engine.positionFrames(voice), 960000);
    EXPECT_EQ(media.send("play MyAlias"), Mci::Ok); // a finished title stays at its end
    EXPECT_TRUE(silent(render(512)));
    EXPECT_EQ(media.send("CLOSE MyAlias"), Mci::Ok);
    EXPECT_EQ(media.voiceOf("MyAlias"), -1);
    EXPECT_EQ(engine.state(voice), VoiceState::Closed);
}

// The path ends at the last " type ", quoted or not, with blanks, quotes, umlauts and ampersands in it.
TEST_F(MediaCommands, BadCommandsAreRefusedOddPathsOpenAndTheAliasStaysSilent) {
    const QString wav = TestTitles::get().wav48;
    const QString folder = tmp.path() + "/Männer & \"Jugend\" type x/";
    const QString odd = folder + "-02 \"Tor\" für Ärger & Co type b.wav";
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(wav, odd));
    const std::pair<QString, int> answers[] = {
        {"", Mci::MissingCommandString},
        {"rewind MyAlias", Mci::UnrecognizedCommand},
        {"play", Mci::MissingDeviceName},
        {"open " + wav, Mci::MissingParameter},
        {"open " + wav + " type waveaudio alias A", Mci::InvalidDeviceName},
        {"open " + tmp.path() + "/fehlt.mp3 type MPEGVideo alias A", Mci::FileNotFound},
        {"open " + tmp.path() + " type MPEGVideo alias A", Mci::InvalidFile},
        {"stop MyAlias", Mci::InvalidDeviceName},
        {"play MyAlias from 0", Mci::InvalidDeviceName},
        {"open \"" + odd + "\" type MPEGVideo alias Quoted", Mci::Ok},
        {"open " + odd + " type MPEGVideo alias MyAlias", Mci::Ok},
        {"play MyAlias to 500", Mci::UnrecognizedKeyword},
        {"stop MyAlias now", Mci::UnrecognizedKeyword},
        {"play MyAlias from ", Mci::MissingParameter},
        {"play MyAlias from zwölf", Mci::BadInteger},
        {"play MyAlias from 99999999999", Mci::OutOfRange}};
    for (const auto& [command, error] : answers) {
        EXPECT_EQ(media.send(command), error) << command.toStdString();
    }
    EXPECT_EQ(media.voiceOf("A"), -1);
    EXPECT_TRUE(silent(render(1024)));
    EXPECT_EQ(media.send("play MyAlias from 20000"), Mci::OutOfRange); // nothing is left to play at the end
    ASSERT_EQ(media.send("play MyAlias from -1500"), Mci::Ok);
    expectSignalFrom(0);
}

} // namespace
