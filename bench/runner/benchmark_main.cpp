// SPDX-License-Identifier: MIT
// The main of the benchmarks that need no application object.
#include "benchmark_runs.h"

int main(int argc, char** argv) { return talvo::bench::RunBenchmarks(argc, argv); }
