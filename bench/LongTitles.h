#pragma once
// Six titles of 9:30 minutes, one per format the desk plays, for presses deep inside long arena tracks.
// Made once by the ffmpeg command and kept in the temporary folder between benchmark runs. Header only.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <vector>

class LongTitles {
  public:
    struct Title {
        const char* format;
        QString path;
    };

    static const LongTitles& get() {
        static const LongTitles titles;
        return titles;
    }

    bool ok = true;
    std::vector<Title> all;

  private:
    LongTitles() {
        const QString dir = QDir::tempPath() + QStringLiteral("/klangwart-long-titles");
        QDir().mkpath(dir);
        const QString source = QStringLiteral("aevalsrc=0.2*sin(2*PI*440*t)+0.1*sin(2*PI*(500+200*sin(t))*t)|"
                                              "0.2*sin(2*PI*660*t)+0.05*sin(2*PI*97*t):s=48000:d=570");
        const std::vector<std::pair<const char*, QStringList>> formats{
            {"mp3", {"-c:a", "libmp3lame", "-b:a", "256k"}},
            {"wav", {"-c:a", "pcm_s16le"}},
            {"flac", {"-c:a", "flac"}},
            {"ogg", {"-c:a", "libvorbis", "-q:a", "6"}},
            {"m4a", {"-c:a", "aac", "-b:a", "256k"}},
            {"wma", {"-c:a", "wmav2", "-b:a", "192k"}}};
        for (const auto& [format, codec] : formats) {
            const QString path = dir + QStringLiteral("/long.") + QString::fromLatin1(format);
            if (!QFileInfo::exists(path) && !make(source, path, codec))
                ok = false;
            all.push_back({format, path});
        }
    }

    static bool make(const QString& source, const QString& path, const QStringList& codec) {
        const QString partial = path + QStringLiteral(".part.") + QFileInfo(path).suffix();
        QProcess ffmpeg;
        ffmpeg.start(QStringLiteral("/usr/bin/ffmpeg"),
                     QStringList{"-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i", source} + codec +
                         QStringList{partial});
        const bool done = ffmpeg.waitForFinished(600000) && ffmpeg.exitStatus() == QProcess::NormalExit &&
                          ffmpeg.exitCode() == 0;
        return done && QFile::rename(partial, path);
    }
};
