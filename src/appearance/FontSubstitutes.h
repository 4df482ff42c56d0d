#pragma once

// Maps the desktop fonts the desk was designed with to metric stand-ins that Debian ships
// (Arial and Courier New to Liberation, Comic Sans MS to Comic Neue).
namespace FontSubstitutes {
void install();
}
