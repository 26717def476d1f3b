// SPDX-License-Identifier: MIT
// Runs the benchmarks the command line selects and fails the process when one reported an
// error, so that a smoke run from ctest catches a wrong result and not only a crash.
#pragma once

namespace talvo::bench {

/// Google Benchmark's flags, the runs, then 0, or 1 when any run reported an error.
int RunBenchmarks(int argc, char** argv);

}  // namespace talvo::bench
