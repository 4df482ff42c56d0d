#pragma once
// The main console on a fixture's program directory with the real engine behind the media commands (pulled by
// the test instead of a device), the head preparer and the position queries, wired as main() wires them.
// Header only.
#include "app/Form1.h"
#include "audio/AudioEngine.h"
#include "audio/HeadPreparer.h"
#include "audio/MediaCommandInterpreter.h"
#include "platform/SteadyClock.h"
#include "settings/IniAccess.h"
#include "support/DeskFixture.h"
#include "support/Operator.h"
#include "support/TestTitles.h"

#include <QFile>
#include <gtest/gtest.h>

class EngineDesk : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(TestTitles::get().ok);
        fx.media.forward = &media;
        fx.services.mediaStatus = &media;
        fx.services.titleCheck = &preparer;
        fx.makeTeam(QStringLiteral("Damen"));
    }
    // A title in "Tormusik" (button 61 for the first file in name order) with bytes of source, or the given
    // bytes, stored at the start offset text.
    QString addTitle(const char* name, const QString& offset, const QString& source = QString(),
                     const QByteArray& bytes = QByteArray()) {
        const QString path =
            fx.titlePath(QStringLiteral("Damen"), QStringLiteral("Tormusik"), QString::fromUtf8(name));
        QFile::remove(path);
        if (source.isEmpty())
            fx.addFile(QStringLiteral("Damen"), QStringLiteral("Tormusik"), QString::fromUtf8(name), bytes);
        else
            EXPECT_TRUE(QFile::copy(source, path));
        setOffset(path, offset);
        return path;
    }
    void setOffset(const QString& path, const QString& offset) {
        Ini_Write(fx.startOffsetFile(QStringLiteral("Damen")), path, QStringLiteral("Zeit_01"), offset);
    }
    // The background work done and its findings fetched, as the window's ticks would.
    void settle() {
        ASSERT_TRUE(preparer.waitUntilIdle(60000));
        tick();
    }
    void tick() {
        for (FakeTickSource* t : fx.ticks.created)
            t->tick();
    }
    // The output takes the next frames.
    void render(int frames) {
        std::vector<float> buffer(static_cast<std::size_t>(frames) * 2);
        engine.render(buffer.data(), frames);
    }
    int playingVoice() const { return media.voiceOf(QStringLiteral("MyAlias")); }

    DeskFixture fx;
    SteadyClock clock;
    AudioEngine engine{clock, AudioEngine::Output::Pull};
    MediaCommandInterpreter media{engine};
    HeadPreparer preparer{engine.heads()};
    std::unique_ptr<Form1> form; // last: the windows go first
};
