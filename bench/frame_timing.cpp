#include "frame_timing.h"

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * values.size()));
    return values[std::max<std::size_t>(rank, 1) - 1];
}

// The driver's threads fault for the frame too, so the whole process counts.
long minor_page_faults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

double main_thread_cpu_ms() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

double ms_between(std::chrono::steady_clock::time_point from, std::chrono::steady_clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

FrameTiming time_frames(long frames, const std::function<void()>& frame) {
    std::vector<double> work_ms;
    work_ms.reserve(static_cast<std::size_t>(frames));
    const long faults_before = minor_page_faults();
    const double cpu_before = main_thread_cpu_ms();
    for (long i = 0; i < frames; ++i) {
        const auto begin = std::chrono::steady_clock::now();
        frame();
        work_ms.push_back(ms_between(begin, std::chrono::steady_clock::now()));
    }
    FrameTiming timing;
    timing.page_faults = static_cast<double>(minor_page_faults() - faults_before) / static_cast<double>(frames);
    timing.main_thread_cpu_ms = (main_thread_cpu_ms() - cpu_before) / static_cast<double>(frames);
    timing.median_ms = percentile(work_ms, 0.5);
    timing.p99_ms = percentile(work_ms, 0.99);
    return timing;
}

void print_frame_timing(const FrameTiming& timing) {
    std::printf("frame work median   %.2f ms\n", timing.median_ms);
    std::printf("frame work p99      %.2f ms\n", timing.p99_ms);
    std::printf("main thread CPU     %.2f ms per frame\n", timing.main_thread_cpu_ms);
    std::printf("page faults         %.2f per frame\n", timing.page_faults);
}
