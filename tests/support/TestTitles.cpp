#include "support/TestTitles.h"

#include "support/TestAudioFiles.h"

const TestTitles& TestTitles::get() {
    static const TestTitles titles;
    return titles;
}

TestTitles::TestTitles() {
    dir = tmp_.path();
    const QString wav44 = dir + "/tone44.wav";
    wav48 = dir + "/tone48.wav";
    wavMono = dir + "/mono48.wav";
    flac48 = dir + "/tone48.flac";
    mp348 = dir + "/tone48.mp3";
    mp344 = dir + "/tone44.mp3";
    ogg48 = dir + "/tone48.ogg";
    m4a48 = dir + "/tone48.m4a";
    const QStringList mp3{"-c:a", "libmp3lame", "-b:a", "256k"};
    ok = tmp_.isValid() && TestAudioFiles::writeWav(wav48, 48000, 20.0) &&
         TestAudioFiles::writeWav(wav44, 44100, 20.0) && TestAudioFiles::writeWav(wavMono, 48000, 2.0, 1) &&
         TestAudioFiles::encode(wav48, flac48, {"-c:a", "flac"}) &&
         TestAudioFiles::encode(wav48, mp348, mp3) && TestAudioFiles::encode(wav44, mp344, mp3) &&
         TestAudioFiles::encode(wav48, ogg48, {"-c:a", "libvorbis", "-q:a", "8"}) &&
         TestAudioFiles::encode(wav48, m4a48, {"-c:a", "aac", "-b:a", "256k"});
}
