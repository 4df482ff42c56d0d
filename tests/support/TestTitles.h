#pragma once
#include <QString>
#include <QTemporaryDir>

// One set of 20-second test titles per test program, made on first use in a temporary folder:
// the test signal as WAV, FLAC and MP3 at 48000 Hz, MP3 and WAV at 44100 Hz, OGG and M4A.
class TestTitles {
  public:
    static const TestTitles& get();

    static constexpr double kSeconds = 20.0;
    bool ok = false;
    QString dir;
    QString wav48, wav44, wavMono, flac48, mp348, mp344, ogg48, m4a48;

  private:
    TestTitles();
    QTemporaryDir tmp_;
};
