#pragma once

#include <chrono>
#include <functional>

// What a run of timed frames cost, as the frame benchmark and its floor report
// it.
struct FrameTiming {
    double median_ms = 0;
    double p99_ms = 0;
    double main_thread_cpu_ms = 0;  // per frame
    double page_faults = 0;         // minor faults of the whole process per frame
};

// Runs frame the given number of times, timing each.
FrameTiming time_frames(long frames, const std::function<void()>& frame);

// The report's lines for it, as run-frame-bench reads them.
void print_frame_timing(const FrameTiming& timing);

double ms_between(std::chrono::steady_clock::time_point from, std::chrono::steady_clock::time_point to);
