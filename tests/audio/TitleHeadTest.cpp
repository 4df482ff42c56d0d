// Title heads: a press that starts with a head prepared in the background sounds exactly as one that decodes
// at the press, sample for sample, across the seam where the title's own decoder takes over, in every format.
#include "audio/AudioEngine.h"
#include "audio/HeadPreparer.h"
#include "platform/SteadyClock.h"
#include "support/TestAudioFiles.h"
#include "support/TestTitles.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

namespace {

constexpr int kPeriod = 256; // the seam at 12000 frames falls inside a period
constexpr int kFrames = TitleHead::kFrames + 16000;

struct Rig {
    SteadyClock clock;
    AudioEngine engine{clock, AudioEngine::Output::Pull};

    AudioEngine::VoiceId press(const QString& path, std::int64_t offsetMs) {
        AudioEngine::VoiceId id = -1;
        EXPECT_EQ(engine.open(path, id), AudioError::None) << path.toStdString();
        EXPECT_EQ(engine.playFrom(id, offsetMs), AudioError::None);
        return id;
    }
    std::vector<float> render(int frames) {
        std::vector<float> out(static_cast<std::size_t>(frames) * 2);
        for (int done = 0; done < frames; done += kPeriod)
            engine.render(out.data() + static_cast<std::size_t>(done) * 2, std::min(kPeriod, frames - done));
        return out;
    }
};

// The first frame where a and b differ, -1 when they are equal.
long firstDifference(const std::vector<float>& a, const std::vector<float>& b) {
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (std::memcmp(&a[i], &b[i], sizeof(float)) != 0)
            return static_cast<long>(i / 2);
    return a.size() == b.size() ? -1 : static_cast<long>(std::min(a.size(), b.size()) / 2);
}

std::vector<float> straight(const QString& path, std::int64_t offsetMs, int frames) {
    Rig rig;
    rig.press(path, offsetMs);
    return rig.render(frames);
}

void prepare(HeadPreparer& preparer, const std::vector<TitleCheck::Title>& titles) {
    static const int client = 0;
    preparer.checkBoard(&client, titles);
    ASSERT_TRUE(preparer.waitUntilIdle(60000));
    for (const TitleCheck::Finding& f : preparer.takeFindings(&client))
        EXPECT_EQ(f.fault, TitleCheck::Fault::None) << f.path.toStdString() << " from " << f.offsetMs;
}

class TitleHeadTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(TestTitles::get().ok);
        wma = TestTitles::get().dir + QStringLiteral("/tone48.wma");
        if (!QFile::exists(wma)) {
            ASSERT_TRUE(
                TestAudioFiles::encode(TestTitles::get().wav48, wma, {"-c:a", "wmav2", "-b:a", "192k"}));
        }
    }
    static inline QString wma;
};

TEST_F(TitleHeadTest, HeadAndContinuationAreAStraightDecodeInEveryFormat) {
    const TestTitles& t = TestTitles::get();
    const QStringList files{t.wav48, t.flac48, t.mp348, t.mp344, t.ogg48, t.m4a48, wma};
    // From the start, inside a second, deep in, and so near the end that the head holds all that is left.
    const std::vector<std::int64_t> offsets{0, 1234, 12500, 19900};
    Rig rig;
    HeadPreparer preparer(rig.engine.heads());
    std::vector<TitleCheck::Title> titles;
    for (const QString& f : files)
        for (std::int64_t ms : offsets)
            titles.push_back({0, f, QString::number(ms)});
    prepare(preparer, titles);
    ASSERT_EQ(rig.engine.heads().count(), titles.size());
    for (const QString& f : files) {
        for (std::int64_t ms : offsets) {
            SCOPED_TRACE(f.toStdString() + " from " + std::to_string(ms));
            const AudioEngine::VoiceId id = rig.press(f, ms);
            EXPECT_GT(rig.engine.headFrames(id), 0);
            const std::vector<float> got = rig.render(kFrames);
            EXPECT_EQ(firstDifference(got, straight(f, ms, kFrames)), -1);
            rig.engine.close(id);
        }
    }
}

TEST_F(TitleHeadTest, PressBeforeTheHeadIsReadyThenWithIt) {
    const QString path = TestTitles::get().mp348;
    const std::vector<float> want = straight(path, 12500, kFrames);
    Rig rig;
    HeadPreparer preparer(rig.engine.heads());
    AudioEngine::VoiceId id = rig.press(path, 12500);
    EXPECT_EQ(rig.engine.headFrames(id), 0);
    std::vector<float> got = rig.render(4000);
    // The head is made while the title plays without it; the title goes on undisturbed.
    prepare(preparer, {{0, path, QStringLiteral("12500")}});
    const std::vector<float> rest = rig.render(kFrames - 4000);
    got.insert(got.end(), rest.begin(), rest.end());
    EXPECT_EQ(firstDifference(got, want), -1);
    rig.engine.close(id);
    id = rig.press(path, 12500);
    EXPECT_EQ(rig.engine.headFrames(id), TitleHead::kFrames);
    EXPECT_EQ(firstDifference(rig.render(kFrames), want), -1);
}

TEST_F(TitleHeadTest, ChangedFileLosesItsHeadAndGetsANewOne) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Titel.wav"));
    ASSERT_TRUE(QFile::copy(TestTitles::get().wav48, path));
    Rig rig;
    HeadPreparer preparer(rig.engine.heads());
    prepare(preparer, {{0, path, QStringLiteral("500")}});
    ASSERT_NE(rig.engine.heads().find(path, 500), nullptr);

    // Another title copied over it under the same name: the old head must not sound.
    QFile::remove(path);
    ASSERT_TRUE(QFile::copy(TestTitles::get().wavMono, path));
    // (The new file's own head may be ready by the time of the play command: then it is used.)
    rig.press(path, 500);
    EXPECT_EQ(firstDifference(rig.render(kFrames), straight(path, 500, kFrames)), -1);

    ASSERT_TRUE(preparer.waitUntilIdle(60000));
    const HeadCache::Head fresh = rig.engine.heads().find(path, 500);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->stamp, FileStamp::of(path));
}

} // namespace
