// SPDX-License-Identifier: MIT
// The main of the benchmarks that draw or build windows: they need an application, offscreen.
#include <QApplication>

#include "benchmark_runs.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const QApplication app(argc, argv);
  return talvo::bench::RunBenchmarks(argc, argv);
}
