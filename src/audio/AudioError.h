#pragma once

// What an engine call can answer; the media command layer maps these onto its error numbers.
enum class AudioError {
    None,
    FileNotFound, // no such file
    InvalidFile,  // a folder, or nothing decodable in it
    OutOfRange,   // a start position beyond the end of the title
    NoSuchVoice,  // the voice id is not open
    NoFreeVoice,  // every voice slot is taken
};
