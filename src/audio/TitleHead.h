#pragma once
#include "audio/OutputFormat.h"
#include "platform/FileStamp.h"

#include <QString>
#include <cstdint>
#include <vector>

// The first quarter second of a title from one start offset, in the output format, made before any press so
// that a press sounds at once while the title's own decoder opens and seeks behind it. Never changed once
// published: the head cache and the voices that play it share it read-only.
struct TitleHead {
    static constexpr std::int64_t kFrames = OutputFormat::SampleRate / 4;

    QString path;
    std::int64_t offsetMs = 0;
    FileStamp stamp;              // the file the samples came from
    std::int64_t durationMs = -1; // from the headers, or read from the whole stream where they only guess
    std::vector<float> samples;   // interleaved stereo, at most kFrames frames
    bool complete = false;        // the title ends inside the head: nothing follows it

    std::size_t frames() const { return samples.size() / OutputFormat::Channels; }
};
