#pragma once

#include "snapshot/options.h"

namespace drelm::snapshot {

// The picture after the start-up and the given passes, as a PNG.
void WriteSnapshot(const Options& options);

// From there on, the animation as the window would show it, as an animated GIF.
void WriteRecording(const Options& options);

// The passes before frame k of a recording at `fps` frames a second, counted from its start.
std::int64_t PassesBeforeFrame(std::int64_t k, int fps);
// How long frame k shows, in hundredths of a second; the sum over frames keeps to the clock.
int FrameDelay(std::int64_t k, int fps);
// The frames of a recording of `seconds` at `fps`; at least one.
std::int64_t FrameCount(double seconds, int fps);

}  // namespace drelm::snapshot
