#pragma once
#include <QString>
#include <cstdint>

struct AVInputFormat;

// Finds a title's container format from the first bytes after any ID3v2 tag. FFmpeg's own probe
// reads and re-probes its way through the whole tag, which costs milliseconds when the tag holds a
// cover picture; looking past the tag first makes that a fraction of a millisecond.
// UI thread (at open).
class FormatSniffer {
  public:
    static constexpr int kHeadBytes = 16384;

    // Reads the head of the file. Afterwards format() is the container, or nullptr when it is not
    // certain enough (the caller then leaves the probing to FFmpeg).
    explicit FormatSniffer(const QString& path);

    const AVInputFormat* format() const { return format_; }
    // Bytes of ID3v2 tags in front of the audio data.
    std::int64_t tagBytes() const { return tagBytes_; }

  private:
    static std::int64_t tagLength(const unsigned char* header);

    const AVInputFormat* format_ = nullptr;
    std::int64_t tagBytes_ = 0;
};
