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
    mp344 = dir + "/tone44.mp3";
    const QStringList mp3{"-c:a", "libmp3lame", "-b:a", "256k"};
    const auto encoded = [&](QString& path, const char* name, const QStringList& codec) {
        path = dir + "/tone48." + name;
        return TestAudioFiles::encode(wav48, path, codec);
    };
    ok = tmp_.isValid() && TestAudioFiles::writeWav(wav48, 48000, 20.0) &&
         TestAudioFiles::writeWav(wav44, 44100, 20.0) && TestAudioFiles::writeWav(wavMono, 48000, 20.0, 1) &&
         encoded(flac48, "flac", {"-c:a", "flac"}) && encoded(mp348, "mp3", mp3) &&
         encoded(ogg48, "ogg", {"-c:a", "libvorbis", "-q:a", "8"}) &&
         encoded(m4a48, "m4a", {"-c:a", "aac", "-b:a", "256k"}) &&
         encoded(wma48, "wma", {"-c:a", "wmav2", "-b:a", "192k"}) &&
         TestAudioFiles::encode(wav44, mp344, mp3);
}
