#pragma once

#include <string>
#include <vector>

namespace floebound {

// Updates never advance by more than this, whatever the frame took.
constexpr int max_update_slice_ms = 18;

// A frame measured at 0 ms counts as 1; one of over a second (a stall, a
// debugger) counts as an ordinary 16 ms frame rather than a jump.
int clamp_frame_time(int measured_ms);

// The update slices for one frame: 40 ms gives 18, 18, 4.
std::vector<int> update_slices(int elapsed_ms);

// The frame-rate readout only moves when the frame time changes by 2 ms or
// more, so it stays readable.
struct FpsReadout {
    float shown_rate = 0;
    int shown_ms = 0;
};

// The text to show for this frame, "FPS: %.3f (%d ms)".
std::string fps_readout_text(FpsReadout& readout, float rate, int elapsed_ms);

}  // namespace floebound
