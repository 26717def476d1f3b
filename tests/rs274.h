// SPDX-License-Identifier: MIT
// Runs a program through LinuxCNC's standalone interpreter and collects the moves it makes.
#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "temp_root.h"

namespace talvo::testing {

struct Rs274Move {
  enum Kind { Traverse, Feed, Arc } kind;
  double x = 0, y = 0;              ///< end point
  double centreX = 0, centreY = 0;  ///< arcs only
  int rotation = 0;                 ///< arcs only: -1 clockwise, 1 counter-clockwise
};

struct Rs274Result {
  int exitCode = -1;
  std::vector<Rs274Move> moves;
  std::string output;
};

inline bool Rs274Available() { return std::system("command -v rs274 >/dev/null 2>&1") == 0; }

inline Rs274Result RunRs274(const std::string& program) {
  // rs274 writes a variable file and $HOME/.tool.mmap: both go to a scratch folder.
  TempRoot scratch;
  const auto file = scratch.Path() / "program.ngc";
  WriteBytes(file, program);
  const std::string command = "cd '" + scratch.Path().string() + "' && HOME='" + scratch.Path().string() +
                              "' rs274 -g '" + file.string() + "' -v '" + (scratch.Path() / "vars.var").string() +
                              "' 2>&1";
  Rs274Result result;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  std::array<char, 4096> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe)) result.output += buffer.data();
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;

  std::istringstream lines(result.output);
  for (std::string line; std::getline(lines, line);) {
    const struct {
      const char* word;
      Rs274Move::Kind kind;
    } words[] = {{"STRAIGHT_TRAVERSE(", Rs274Move::Traverse},
                 {"STRAIGHT_FEED(", Rs274Move::Feed},
                 {"ARC_FEED(", Rs274Move::Arc}};
    for (const auto& w : words) {
      const auto at = line.find(w.word);
      if (at == std::string::npos) continue;
      std::istringstream args(line.substr(at + std::string(w.word).size()));
      std::vector<double> values;
      for (std::string arg; std::getline(args, arg, ',');) values.push_back(std::stod(arg));
      Rs274Move move{w.kind};
      move.x = values.at(0);
      move.y = values.at(1);
      if (w.kind == Rs274Move::Arc) {
        move.centreX = values.at(2);
        move.centreY = values.at(3);
        move.rotation = static_cast<int>(values.at(4));
      }
      result.moves.push_back(move);
    }
  }
  return result;
}

}  // namespace talvo::testing
