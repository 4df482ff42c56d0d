// Starts must be exact to the sample in every format: what the engine renders from "play from N" is the title
// from N on, compared with the source (lossless) or with ffmpeg's own decode from the start (lossy). A press
// that starts with a head prepared in the background sounds exactly as one that decodes at the press, across
// the seam where the title's own decoder takes over.
#include "audio/HeadPreparer.h"
#include "support/PullEngine.h"
#include "support/TestAudioFiles.h"
#include "support/TestTitles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <set>

namespace {

constexpr int kRate = AudioEngine::kSampleRate;
constexpr int kFrames = TitleHead::kFrames + 16000; // the head and well into its continuation

// The same press on an engine that has no heads: the title decoded at the press.
std::vector<float> straight(const QString& path, std::int64_t ms) {
    PullEngine pull;
    EXPECT_NEAR(static_cast<double>(pull.engine.durationMs(pull.play(path, ms))), 20000.0, 100.0);
    return pull.render(kFrames);
}

// The first frame where a and b differ, -1 when they are equal.
long firstDifference(const std::vector<float>& a, const std::vector<float>& b) {
    const auto differs = std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first;
    return differs == a.end() && a.size() == b.size() ? -1 : (differs - a.begin()) / 2;
}

class Starts : public ::testing::Test, public PullEngine {
  protected:
    void SetUp() override { ASSERT_TRUE(TestTitles::get().ok) << "test titles could not be made"; }
    void prepare(const std::vector<TitleCheck::Title>& titles) {
        static const int client = 0;
        preparer.checkBoard(&client, titles);
        ASSERT_TRUE(preparer.waitUntilIdle(60000));
        for (const TitleCheck::Finding& f : preparer.takeFindings(&client))
            EXPECT_EQ(f.fault, TitleCheck::Fault::None) << f.path.toStdString() << " from " << f.offsetMs;
    }
    HeadPreparer preparer{engine.heads()};
};

TEST_F(Starts, EveryFormatStartsAtTheSampleWithAndWithoutItsHead) {
    const TestTitles& t = TestTitles::get();
    const auto source = TestSignal::stereo(kRate, 0, 20 * kRate);
    const auto lossless = TestSignal::stereo16(kRate, 0, 20 * kRate);
    auto mono = lossless;
    for (std::size_t i = 1; i < mono.size(); i += 2)
        mono[i] = mono[i - 1];
    const struct {
        QString path;
        const std::vector<float> reference; // as it should sound, from its start
        double tolerance;
        int maxLag = 0; // frames a start may be off
    } formats[] = {
        {t.wav48, lossless, 0.0},
        {t.flac48, lossless, 0.0},
        {t.wavMono, mono, 0.0}, // heard at full level on both sides
        // Lossy titles as ffmpeg decodes them from the start; the encoder delay is not heard (maxLag 0).
        {t.mp348, TestAudioFiles::decode(t.mp348), 1e-4},
        {t.ogg48, TestAudioFiles::decode(t.ogg48), 1e-3},
        {t.m4a48, TestAudioFiles::decode(t.m4a48), 1e-3},
        // An MP3 at 44100 Hz: its encoder delay and the resampling still leave the start in place.
        {t.mp344, source, 0.04},
        // WMA seeks land on packet borders the demuxer cannot refine: up to about 46 ms off is accepted.
        {t.wma48, source, INFINITY, 46 * 48}};
    // From the start, inside a second, deep in, and so near the end that the head holds all that is left.
    const std::vector<std::int64_t> offsets{0, 1234, 12500, 19900};
    std::vector<TitleCheck::Title> titles;
    for (const auto& f : formats)
        for (std::int64_t ms : offsets)
            titles.push_back({0, f.path, QString::number(ms)});
    // A press before the heads are ready: the head made while the title plays leaves it undisturbed.
    const AudioEngine::VoiceId early = play(t.mp348, 12500);
    EXPECT_EQ(engine.headFrames(early), 0);
    std::vector<float> earlyHeard = render(4000);
    prepare(titles);
    const std::vector<float> rest = render(kFrames - 4000);
    earlyHeard.insert(earlyHeard.end(), rest.begin(), rest.end());
    engine.close(early);
    EXPECT_EQ(firstDifference(earlyHeard, straight(t.mp348, 12500)), -1);
    for (const auto& f : formats) {
        for (std::int64_t ms : offsets) {
            SCOPED_TRACE(f.path.toStdString() + " from " + std::to_string(ms));
            const std::int64_t at = ms * kRate / 1000;
            const AudioEngine::VoiceId id = play(f.path, ms);
            EXPECT_GT(engine.headFrames(id), 0);
            const std::vector<float> got = render(kFrames);
            engine.close(id);
            EXPECT_EQ(firstDifference(got, straight(f.path, ms)), -1);
            EXPECT_LE(std::abs(TestSignal::bestLag(source, at, got, 4096, f.maxLag + 400)), f.maxLag);
            const int frames = static_cast<int>(std::min<std::int64_t>(kFrames, 20 * kRate - at));
            EXPECT_LE(TestSignal::maxError(f.reference, at, got, frames), f.tolerance);
        }
    }
}

TEST_F(Starts, ChangedFileLosesItsHeadAndGetsANewOne) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Titel.wav"));
    const auto copyOver = [&](const QString& source) {
        QFile::remove(path);
        ASSERT_TRUE(QFile::copy(source, path));
    };
    copyOver(TestTitles::get().wav48);
    prepare({{0, path, QStringLiteral("500")}, {1, path, QStringLiteral("3000")}}); // two heads, as button 55
    ASSERT_NE(engine.heads().find(path, 500), nullptr);
    // Another title copied over it under the same name: the old heads must not sound.
    copyOver(TestTitles::get().wavMono);
    // (The new file's own head may be ready by the time of the play command: then it is used.)
    const AudioEngine::VoiceId first = play(path, 500);
    EXPECT_EQ(firstDifference(render(kFrames), straight(path, 500)), -1);
    engine.close(first);
    // Polled: the preparer may not have taken up the change yet when it is asked whether it is idle.
    const auto madeAnew = [&](std::int64_t ms) {
        const HeadCache::Head head = engine.heads().find(path, ms);
        return head && head->stamp == FileStamp::of(path);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return madeAnew(500) && madeAnew(3000); }, 60000));
    // Changed again, and only one of its heads made anew before a press at the other start: the file is
    // known by that one, but the other is of the old file and must not sound.
    copyOver(TestTitles::get().wav48);
    prepare({{0, path, QStringLiteral("500")}});
    play(path, 3000);
    EXPECT_EQ(firstDifference(render(kFrames), straight(path, 3000)), -1);
}

// Loud at first and quiet after: the bit rate of the first frames makes FFmpeg guess a VBR MP3 without a
// length header at 3.2 of its 8 seconds. The real length is read before any press; a start is refused only at
// or past the real end, by the same rule before the press and at it.
TEST_F(Starts, ALengthTheHeadersOnlyGuessIsReadFromTheStreamAndAStartAtTheEndIsRefusedAlike) {
    QTemporaryDir dir;
    const QString vbr = dir.filePath(QStringLiteral("vbr.mp3"));
    ASSERT_TRUE(TestAudioFiles::encode(
        "anoisesrc=d=2:a=0.5:r=48000[a];sine=f=440:d=6:sample_rate=48000,volume=0.05[b];[a][b]concat=n=2:v=0:"
        "a=1",
        vbr, {"-ac", "2", "-c:a", "libmp3lame", "-q:a", "0", "-write_xing", "0"}, "lavfi"));
    EXPECT_EQ(engine.durationMs(open(vbr)), -1); // not the guess
    const QString wav = TestTitles::get().wav48;
    static const int client = 0;
    preparer.checkBoard(&client, {{0, vbr, "5000"}, {1, vbr, "8100"}, {2, wav, "20000"}, {3, wav, "19990"}});
    ASSERT_TRUE(preparer.waitUntilIdle(60000));
    for (const TitleCheck::Finding& f : preparer.takeFindings(&client)) {
        SCOPED_TRACE(f.button);
        const bool plays = f.button == 0 || f.button == 3;
        EXPECT_EQ(f.fault, plays ? TitleCheck::Fault::None : TitleCheck::Fault::OffsetBeyondEnd);
        EXPECT_NEAR(static_cast<double>(f.durationMs), f.path == vbr ? 8040.0 : 20000.0, 30.0);
    }
    // At the press: with the head ready the real length comes along; without one the start finds the end.
    const AudioEngine::VoiceId id = play(vbr, 5000);
    EXPECT_NEAR(static_cast<double>(engine.durationMs(id)), 8040.0, 30.0);
    EXPECT_FALSE(silent(render(4800)));
    PullEngine cold;
    EXPECT_EQ(cold.engine.playFrom(cold.open(vbr), 8100), AudioError::OutOfRange);
    EXPECT_EQ(cold.engine.playFrom(cold.open(wav), 20000), AudioError::OutOfRange);
    EXPECT_EQ(cold.engine.playFrom(cold.open(wav), 19990), AudioError::None);
}

// Heads of boards no longer shown stay for a switch back, within a budget: the longest unwanted go first, a
// wanted one never.
TEST(HeadCacheTest, HeadsBeyondTheBudgetGoLongestUnwantedFirst) {
    HeadCache cache;
    const auto head = [](const char* path) {
        auto h = std::make_shared<TitleHead>();
        h->path = QString::fromLatin1(path);
        h->samples.resize(2 * TitleHead::kFrames);
        return h;
    };
    const auto only = [](std::set<QString> names) {
        return [names](const QString& path, std::int64_t) { return names.count(path) != 0; };
    };
    for (const char* p : {"a", "b", "c"})
        cache.publish(head(p));
    const std::size_t one = cache.bytes() / 3;
    cache.retain(only({"a", "b", "c"}), 10 * one); // the pass that made them
    cache.retain(only({"a"}), 10 * one);           // b and c unwanted from here on
    cache.retain(only({"b"}), 10 * one);           // a unwanted from here on, b wanted again
    EXPECT_EQ(cache.count(), 3u);                  // all within the budget
    cache.retain(only({"b"}), 2 * one);            // one must go: c, unwanted longest
    EXPECT_EQ(cache.find("c", 0), nullptr);
    EXPECT_NE(cache.find("a", 0), nullptr);
    cache.retain(only({"a", "b"}), 0); // over any budget, but both are wanted
    EXPECT_EQ(cache.count(), 2u);
}

} // namespace
