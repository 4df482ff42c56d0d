#pragma once

// The life of one open title as the output side sees it.
enum class VoiceState : int {
    Closed,   // no title in this slot
    Opened,   // opened, never started
    Playing,  // the output drains it
    Paused,   // held by pause; play continues here
    Stopped,  // held by stop; play continues here as well
    Finished, // the title ran out; silent, still open
};
