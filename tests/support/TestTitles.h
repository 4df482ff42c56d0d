#pragma once
#include <QString>
#include <QTemporaryDir>

// One set of 20-second test titles per test program, made on first use in a temporary folder: the
// test signal as WAV, mono WAV, FLAC, MP3, OGG, M4A and WMA at 48000 Hz, and MP3 at 44100 Hz.
class TestTitles {
  public:
    static const TestTitles& get();

    bool ok = false;
    QString dir;
    QString wav48, wavMono, flac48, mp348, mp344, ogg48, m4a48, wma48;

  private:
    TestTitles();
    QTemporaryDir tmp_;
};
