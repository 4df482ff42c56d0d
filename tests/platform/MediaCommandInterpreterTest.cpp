// The six media command strings, as the desk sends them, against a real engine that is pulled here.
#include "platform/MediaCommandInterpreter.h"

#include "audio/AudioEngine.h"
#include "platform/SteadyClock.h"
#include "support/TestSignal.h"
#include "support/TestTitles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int kRate = 48000;
using Mci = MediaCommandInterpreter;

class MediaCommands : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(TestTitles::get().ok); }

    static QString openCommand(const QString& path, const QString& alias = QStringLiteral("MyAlias")) {
        return QStringLiteral("open ") + path + QStringLiteral(" type MPEGVideo alias ") + alias;
    }

    std::vector<float> render(int frames) {
        std::vector<float> out(static_cast<std::size_t>(frames) * 2);
        engine.render(out.data(), frames);
        return out;
    }

    std::int64_t position(const QString& alias = QStringLiteral("MyAlias")) {
        return engine.positionFrames(media.voiceOf(alias));
    }

    static bool silent(const std::vector<float>& v) {
        return std::all_of(v.begin(), v.end(), [](float x) { return x == 0.0f; });
    }

    SteadyClock clock;
    AudioEngine engine{clock, AudioEngine::Output::Pull};
    MediaCommandInterpreter media{engine};
};

TEST_F(MediaCommands, PlayFromZeroAndFrom12500AsTheDeskSendsThem) {
    ASSERT_EQ(media.send(openCommand(TestTitles::get().wav48)), Mci::Ok);
    ASSERT_EQ(media.send(QStringLiteral("play MyAlias from 0")), Mci::Ok);
    auto got = render(1024);
    EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(kRate, 0, 1024), 0, got, 1024), 0.0);
    ASSERT_EQ(media.send(QStringLiteral("play MyAlias from 12500")), Mci::Ok);
    got = render(1024);
    EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(kRate, 600000, 1024), 0, got, 1024), 0.0);
    EXPECT_EQ(media.send(QStringLiteral("stop MyAlias")), Mci::Ok);
    EXPECT_EQ(media.send(QStringLiteral("close MyAlias")), Mci::Ok);
    EXPECT_EQ(media.voiceOf(QStringLiteral("MyAlias")), -1);
}

TEST_F(MediaCommands, PauseThenPlayContinuesAtThePausedPosition) {
    ASSERT_EQ(media.send(openCommand(TestTitles::get().flac48)), Mci::Ok);
    ASSERT_EQ(media.send(QStringLiteral("play MyAlias from 12500")), Mci::Ok);
    render(3000);
    ASSERT_EQ(media.send(QStringLiteral("pause MyAlias")), Mci::Ok);
    EXPECT_TRUE(silent(render(2000)));
    ASSERT_EQ(media.send(QStringLiteral("play MyAlias")), Mci::Ok);
    const auto got = render(1024);
    EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(kRate, 603000, 1024), 0, got, 1024), 0.0);
}

TEST_F(MediaCommands, EmptyOrNonNumericPositionIsRefusedAndTheAliasStaysOpenAndSilent) {
    ASSERT_EQ(media.send(openCommand(TestTitles::get().wav48)), Mci::Ok);
    EXPECT_EQ(media.send(QStringLiteral("play MyAlias from ")), Mci::MissingParameter);
    EXPECT_EQ(media.send(QStringLiteral("play MyAlias from zwölf")), Mci::BadInteger);
    EXPECT_EQ(media.send(QStringLiteral("play MyAlias from 12.5")), Mci::BadInteger);
    EXPECT_TRUE(silent(render(1024)));
    EXPECT_GE(media.voiceOf(QStringLiteral("MyAlias")), 0);
    EXPECT_EQ(media.send(openCommand(TestTitles::get().wav48)), Mci::DuplicateAlias);
    EXPECT_EQ(media.send(QStringLiteral("stop MyAlias")), Mci::Ok);
    EXPECT_EQ(media.send(QStringLiteral("close MyAlias")), Mci::Ok);
    EXPECT_EQ(media.send(openCommand(TestTitles::get().wav48)), Mci::Ok) << "stop and close free the alias";
}

TEST_F(MediaCommands, NegativePositionPlaysFromTheStart) {
    ASSERT_EQ(media.send(openCommand(TestTitles::get().wav48)), Mci::Ok);
    ASSERT_EQ(media.send(QStringLiteral("play MyAlias from -1500")), Mci::Ok);
    const auto got = render(512);
    EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(kRate, 0, 512), 0, got, 512), 0.0);
}

TEST_F(MediaCommands, PositionBeyondTheEndIsRefused) {
    ASSERT_EQ(media.send(openCommand(TestTitles::get().wav48)), Mci::Ok);
    EXPECT_EQ(media.send(QStringLiteral("play MyAlias from 20001")), Mci::OutOfRange);
    EXPECT_EQ(media.send(QStringLiteral("play MyAlias from 99999999999")), Mci::OutOfRange);
    EXPECT_TRUE(silent(render(512)));
    EXPECT_EQ(media.send(QStringLiteral("play MyAlias from 20000")), Mci::Ok); // the very end is a position
}

TEST_F(MediaCommands, TwoPlaysWithoutAStopInBetween) {
    ASSERT_EQ(media.send(openCommand(TestTitles::get().wav48)), Mci::Ok);
    ASSERT_EQ(media.send(QStringLiteral("play MyAlias from 0")), Mci::Ok);
    EXPECT_EQ(media.send(openCommand(TestTitles::get().flac48)), Mci::DuplicateAlias);
    render(256);
    EXPECT_EQ(position(), 256) << "the first title plays on";
}

TEST_F(MediaCommands, CommandWordsAndAliasesIgnoreCase) {
    const QString cmd =
        QStringLiteral("OPEN ") + TestTitles::get().wav48 + QStringLiteral(" TYPE mpegvideo ALIAS Ton");
    ASSERT_EQ(media.send(cmd), Mci::Ok);
    ASSERT_EQ(media.send(QStringLiteral("Play TON From 1000")), Mci::Ok);
    render(100);
    EXPECT_EQ(position(QStringLiteral("ton")), 48100);
    EXPECT_EQ(media.send(QStringLiteral("PAUSE ton")), Mci::Ok);
    EXPECT_EQ(media.send(QStringLiteral("pLaY tOn")), Mci::Ok);
    EXPECT_EQ(media.send(QStringLiteral("STOP Ton")), Mci::Ok);
    EXPECT_EQ(media.send(QStringLiteral("Close TON")), Mci::Ok);
}

TEST_F(MediaCommands, StopAndCloseOfAnAliasThatIsNotOpenJustFail) {
    EXPECT_EQ(media.send(QStringLiteral("stop MyAlias")), Mci::InvalidDeviceName);
    EXPECT_EQ(media.send(QStringLiteral("close MyAlias")), Mci::InvalidDeviceName);
    EXPECT_EQ(media.send(QStringLiteral("pause MyAlias")), Mci::InvalidDeviceName);
    EXPECT_EQ(media.send(QStringLiteral("play MyAlias")), Mci::InvalidDeviceName);
    EXPECT_EQ(media.send(QStringLiteral("play MyAlias from 0")), Mci::InvalidDeviceName);
}

TEST_F(MediaCommands, MalformedCommands) {
    EXPECT_EQ(media.send(QString()), Mci::MissingCommandString);
    EXPECT_EQ(media.send(QStringLiteral("rewind MyAlias")), Mci::UnrecognizedCommand);
    EXPECT_EQ(media.send(QStringLiteral("play")), Mci::MissingDeviceName);
    EXPECT_EQ(media.send(QStringLiteral("open ") + TestTitles::get().wav48), Mci::MissingParameter);
    EXPECT_EQ(media.send(QStringLiteral("open ") + TestTitles::get().wav48 +
                         QStringLiteral(" type waveaudio alias A")),
              Mci::InvalidDeviceName);
    ASSERT_EQ(media.send(openCommand(TestTitles::get().wav48)), Mci::Ok);
    EXPECT_EQ(media.send(QStringLiteral("play MyAlias to 500")), Mci::UnrecognizedKeyword);
    EXPECT_EQ(media.send(QStringLiteral("stop MyAlias now")), Mci::UnrecognizedKeyword);
}

TEST_F(MediaCommands, FileErrors) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(media.send(openCommand(dir.path() + QStringLiteral("/fehlt.mp3"))), Mci::FileNotFound);
    QFile text(dir.path() + QStringLiteral("/text.mp3"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(4000, 'x'));
    text.close();
    const int result = media.send(openCommand(text.fileName()));
    EXPECT_TRUE(result == Mci::InvalidFile || result == Mci::Ok) << result;
    if (result == Mci::Ok) {
        EXPECT_EQ(media.send(QStringLiteral("close MyAlias")), Mci::Ok);
    }
    EXPECT_EQ(media.send(openCommand(dir.path())), Mci::InvalidFile);
    EXPECT_EQ(media.voiceOf(QStringLiteral("MyAlias")), -1);
}

TEST_F(MediaCommands, PathsWithBlanksQuotesUmlautsAndAmpersands) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + QStringLiteral("/Männer & \"Jugend\" type x");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QStringList names = {QStringLiteral("01 Tor für Ärger & Co.wav"),
                               QStringLiteral("-02 \"Einlauf\".wav"), QStringLiteral("03 a type b.wav")};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QString path = folder + QLatin1Char('/') + name;
        ASSERT_TRUE(QFile::copy(TestTitles::get().wav48, path));
        for (const QString& carried : {QStringLiteral("\"") + path + QStringLiteral("\""), path}) {
            ASSERT_EQ(media.send(openCommand(carried)), Mci::Ok);
            ASSERT_EQ(media.send(QStringLiteral("play MyAlias from 12500")), Mci::Ok);
            const auto got = render(256);
            EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(kRate, 600000, 256), 0, got, 256), 0.0);
            EXPECT_EQ(media.send(QStringLiteral("stop MyAlias")), Mci::Ok);
            EXPECT_EQ(media.send(QStringLiteral("close MyAlias")), Mci::Ok);
        }
    }
}

TEST_F(MediaCommands, Mp3FromTheDeskStartsInPlace) {
    ASSERT_EQ(media.send(openCommand(TestTitles::get().mp344)), Mci::Ok);
    ASSERT_EQ(media.send(QStringLiteral("play MyAlias from 12500")), Mci::Ok);
    const auto got = render(4096);
    const auto source = TestSignal::stereo(kRate, 0, 13 * kRate);
    EXPECT_EQ(TestSignal::bestLag(source, 600000, got, 4096, 300), 0);
}

TEST_F(MediaCommands, ClosingTheInterpreterClosesItsTitles) {
    AudioEngine::VoiceId id = -1;
    {
        MediaCommandInterpreter other(engine);
        ASSERT_EQ(other.send(openCommand(TestTitles::get().wav48, QStringLiteral("Zweit"))), Mci::Ok);
        id = other.voiceOf(QStringLiteral("Zweit"));
        ASSERT_EQ(engine.state(id), VoiceState::Opened);
    }
    EXPECT_EQ(engine.state(id), VoiceState::Closed);
}

} // namespace
