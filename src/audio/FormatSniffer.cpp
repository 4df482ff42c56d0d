#include "audio/FormatSniffer.h"

#include <QByteArray>
#include <QFile>
#include <algorithm>

extern "C" {
#include <libavformat/avformat.h>
}

FormatSniffer::FormatSniffer(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    // Tags may be chained; each one names its own length.
    for (int i = 0; i < 8; ++i) {
        if (!file.seek(tagBytes_)) {
            return;
        }
        const QByteArray header = file.read(10);
        const std::int64_t length =
            header.size() == 10 ? tagLength(reinterpret_cast<const unsigned char*>(header.constData())) : 0;
        if (length == 0) {
            break;
        }
        tagBytes_ += length;
    }
    if (!file.seek(tagBytes_)) {
        return;
    }
    QByteArray head = file.read(kHeadBytes);
    if (head.isEmpty()) {
        return;
    }
    const int size = static_cast<int>(head.size());
    head.append(QByteArray(AVPROBE_PADDING_SIZE, '\0')); // the probes may read this far past the end
    const QByteArray name = QFile::encodeName(path);
    AVProbeData probe{};
    probe.filename = name.constData();
    probe.buf = reinterpret_cast<unsigned char*>(head.data());
    // Growing windows as FFmpeg probes, since every probe scans the whole window: most formats answer
    // clearly from the first 2 KiB. Only a clear answer counts; FFmpeg asks for more data below it.
    for (int window = 2048;; window *= 2) {
        probe.buf_size = std::min(window, size);
        int score = AVPROBE_SCORE_RETRY;
        format_ = av_probe_input_format2(&probe, 1, &score);
        if (format_ || window >= size) {
            break;
        }
    }
}

std::int64_t FormatSniffer::tagLength(const unsigned char* h) {
    const bool id3 = h[0] == 'I' && h[1] == 'D' && h[2] == '3' && h[3] != 0xFF && h[4] != 0xFF;
    if (!id3 || ((h[6] | h[7] | h[8] | h[9]) & 0x80) != 0) {
        return 0;
    }
    const std::int64_t body = (std::int64_t{h[6]} << 21) | (h[7] << 14) | (h[8] << 7) | h[9];
    const bool footer = (h[5] & 0x10) != 0;
    return 10 + body + (footer ? 10 : 0);
}
