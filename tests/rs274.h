// SPDX-License-Identifier: MIT
// Runs a program through LinuxCNC's standalone interpreter and collects the moves it makes.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "temp_root.h"

namespace talvo::test_support {

struct Rs274Move {
  enum Kind { Traverse, Feed, Arc } kind;
  /// The call's arguments as printed: end X, Y, Z, … for straight moves; end X, Y, centre X, Y,
  /// turns (negative clockwise), end Z, … for arcs.
  std::vector<double> args;

  double X() const { return args.at(0); }
  double Y() const { return args.at(1); }
  double Z() const { return args.at(kind == Arc ? 5 : 2); }
  double CentreX() const { return args.at(2); }
  double CentreY() const { return args.at(3); }
  int Turns() const { return static_cast<int>(args.at(4)); }
};

struct Rs274Result {
  int exitCode = -1;
  std::vector<Rs274Move> moves;
  std::string output;
  bool readToEnd() const { return output.find("PROGRAM_END") != std::string::npos; }
};

inline bool Rs274Available() { return std::system("command -v rs274 >/dev/null 2>&1") == 0; }

/// Reads a program file. rs274 writes a variable file and $HOME/.tool.mmap: both go to a scratch folder.
inline Rs274Result RunRs274File(const std::filesystem::path& file) {
  if (!Rs274Available()) throw std::runtime_error("rs274 not found (Debian package linuxcnc-uspace)");
  TempRoot scratch;
  const std::string home = scratch.Path().string();
  const std::string command = "cd '" + home + "' && HOME='" + home + "' rs274 -g '" + file.string() + "' -v '" +
                              (scratch.Path() / "vars.var").string() + "' 2>&1";
  Rs274Result result;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  std::array<char, 4096> buffer{};
  for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
    result.output.append(buffer.data(), n);
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;

  const struct {
    const char* word;
    Rs274Move::Kind kind;
  } calls[] = {
      {"STRAIGHT_TRAVERSE(", Rs274Move::Traverse}, {"STRAIGHT_FEED(", Rs274Move::Feed}, {"ARC_FEED(", Rs274Move::Arc}};
  std::istringstream lines(result.output);
  for (std::string line; std::getline(lines, line);) {
    for (const auto& call : calls) {
      const auto at = line.find(call.word);
      if (at == std::string::npos) continue;
      Rs274Move move{call.kind, {}};
      std::istringstream args(line.substr(at + std::string(call.word).size()));
      for (std::string arg; std::getline(args, arg, ',');) move.args.push_back(std::stod(arg));
      result.moves.push_back(move);
    }
  }
  return result;
}

/// Reads a program given as text.
inline Rs274Result RunRs274(const std::string& program) {
  TempRoot scratch;
  const auto file = scratch.Path() / "program.ngc";
  WriteBytes(file, program);
  return RunRs274File(file);
}

}  // namespace talvo::test_support
