#include "app/frame_clock.h"

#include <algorithm>
#include <cstdio>

namespace floebound {

int clamp_frame_time(int measured_ms) {
    int elapsed = measured_ms < 1 ? 1 : measured_ms;
    return elapsed > 1000 ? 16 : elapsed;
}

std::vector<int> update_slices(int elapsed_ms) {
    std::vector<int> slices;
    for (int remaining = elapsed_ms; remaining > 0; remaining -= max_update_slice_ms)
        slices.push_back(std::min(remaining, max_update_slice_ms));
    return slices;
}

std::string fps_readout_text(FpsReadout& readout, float rate, int elapsed_ms) {
    const bool moved = elapsed_ms - 1 > readout.shown_ms || elapsed_ms + 1 < readout.shown_ms;
    if (moved) {
        readout.shown_rate = rate;
        readout.shown_ms = elapsed_ms;
    }
    char text[48];
    std::snprintf(text, sizeof text, "FPS: %.3f (%d ms)", readout.shown_rate, readout.shown_ms);
    return text;
}

}  // namespace floebound
