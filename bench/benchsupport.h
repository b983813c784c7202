#pragma once

// What the benchmarks share: wall-clock timing for manual times, random text, and the run.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstddef>
#include <random>
#include <string>

namespace bench {

using Clock = std::chrono::steady_clock;

// Seconds from `from` until now.
inline double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Words from `pool` up to at least `length` bytes, one break in twelve a CR LF line end.
template <std::size_t N>
std::string words(std::mt19937& rng, std::size_t length, const char* const (&pool)[N]) {
    std::string text;
    while (text.size() < length) {
        if (!text.empty())
            text += (rng() % 12 == 0) ? "\r\n" : " ";
        text += pool[rng() % N];
    }
    return text;
}

// Runs the registered benchmarks; arguments it does not know are an error.
inline int run(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
