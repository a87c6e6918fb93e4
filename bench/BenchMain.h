#pragma once

#include <functional>

// The main of a benchmark that needs the windows: the offscreen platform unless the caller
// chose one, the application set up as the program sets it up, then the benchmarks.
// `prepare` may register more benchmarks once the application exists; false stops the run.
int runBenchmarks(int argc, char** argv, const std::function<bool()>& prepare = {});
