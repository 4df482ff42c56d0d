#include "support/TestTitles.h"

#include "support/TestAudioFiles.h"

const TestTitles& TestTitles::get() {
    static const TestTitles titles;
    return titles;
}

TestTitles::TestTitles() {
    dir = tmp_.path();
    wav48 = dir + QStringLiteral("/tone48.wav");
    wav44 = dir + QStringLiteral("/tone44.wav");
    wavMono = dir + QStringLiteral("/mono48.wav");
    flac48 = dir + QStringLiteral("/tone48.flac");
    mp348 = dir + QStringLiteral("/tone48.mp3");
    mp344 = dir + QStringLiteral("/tone44.mp3");
    ogg48 = dir + QStringLiteral("/tone48.ogg");
    m4a48 = dir + QStringLiteral("/tone48.m4a");
    const QString s = QStringLiteral("-c:a");
    ok = tmp_.isValid() && TestAudioFiles::writeWav(wav48, 48000, kSeconds) &&
         TestAudioFiles::writeWav(wav44, 44100, kSeconds) &&
         TestAudioFiles::writeWav(wavMono, 48000, 2.0, 1) &&
         TestAudioFiles::encode(wav48, flac48, {s, QStringLiteral("flac")}) &&
         TestAudioFiles::encode(
             wav48, mp348,
             {s, QStringLiteral("libmp3lame"), QStringLiteral("-b:a"), QStringLiteral("256k")}) &&
         TestAudioFiles::encode(
             wav44, mp344,
             {s, QStringLiteral("libmp3lame"), QStringLiteral("-b:a"), QStringLiteral("256k")}) &&
         TestAudioFiles::encode(
             wav48, ogg48, {s, QStringLiteral("libvorbis"), QStringLiteral("-q:a"), QStringLiteral("8")}) &&
         TestAudioFiles::encode(wav48, m4a48,
                                {s, QStringLiteral("aac"), QStringLiteral("-b:a"), QStringLiteral("256k")});
}
