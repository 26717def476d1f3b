// SPDX-License-Identifier: MIT
// --summary's progress on standard error: a line rewritten in place and wiped at the end when
// it is a terminal (a pseudo-terminal here), nothing at all when it is a file.
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "summary_printing.h"
#include "temp_root.h"

namespace talvo::plot {
namespace {

using talvo::test_support::TempRoot;
using talvo::test_support::WriteBytes;

std::string Rest(std::FILE* file) {
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text.push_back(static_cast<char>(c));
  return text;
}

// All the slave end wrote, once it is closed.
std::string Drain(int master) {
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = read(master, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
  return text;
}

TEST(TerminalProgress, OnATerminalOnlyAndWipedAtTheEnd) {
  const TempRoot root;
  const std::string file = (root.Path() / "job.ngc").string();
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "G1 X" + std::to_string(i % 300) + " Y" + std::to_string(i % 7) + " F900\n";
  WriteBytes(file, text);

  std::FILE* out = std::tmpfile();
  std::FILE* toFile = std::tmpfile();
  ASSERT_EQ(PrintSummary(file, JobSettings{}, false, out, toFile), 0);
  EXPECT_EQ(Rest(toFile), "");
  const std::string summary = Rest(out);
  std::fclose(toFile);
  std::fclose(out);

  int master = -1, slave = -1;
  ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
  std::FILE* terminal = fdopen(slave, "w");
  out = std::tmpfile();
  ASSERT_EQ(PrintSummary(file, JobSettings{}, false, out, terminal), 0);
  EXPECT_EQ(Rest(out), summary);
  std::fclose(out);
  std::fclose(terminal);
  const std::string shown = Drain(master);
  close(master);
  EXPECT_EQ(shown.rfind("\rtalvo-plot: OKUNUYOR ", 0), 0u) << shown;
  EXPECT_NE(shown.find('%'), std::string::npos) << shown;
  // The last line is spaces over the whole width, and the cursor back at its start.
  const std::size_t wipe = shown.rfind('\r', shown.size() - 2);
  ASSERT_NE(wipe, std::string::npos);
  EXPECT_EQ(shown.substr(wipe), "\r" + std::string(shown.size() - wipe - 2, ' ') + "\r");
  EXPECT_GE(shown.size() - wipe - 2, std::string("talvo-plot: OKUNUYOR 0%").size());
}

}  // namespace
}  // namespace talvo::plot
