// SPDX-License-Identifier: MIT
// Runs a program through LinuxCNC's standalone interpreter and collects the moves it makes.
#pragma once

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "run_command.h"
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

/// The move of one line of rs274's output, when the line is a move call.
inline std::optional<Rs274Move> MoveOf(const std::string& line) {
  const struct {
    const char* word;
    Rs274Move::Kind kind;
  } calls[] = {
      {"STRAIGHT_TRAVERSE(", Rs274Move::Traverse}, {"STRAIGHT_FEED(", Rs274Move::Feed}, {"ARC_FEED(", Rs274Move::Arc}};
  for (const auto& call : calls) {
    const auto at = line.find(call.word);
    if (at == std::string::npos) continue;
    Rs274Move move{call.kind, {}};
    std::istringstream args(line.substr(at + std::string(call.word).size()));
    for (std::string arg; std::getline(args, arg, ',');) move.args.push_back(std::stod(arg));
    return move;
  }
  return std::nullopt;
}

/// Reads a program file. rs274 writes a variable file and $HOME/.tool.mmap: both go to a scratch folder.
inline Rs274Result RunRs274File(const std::filesystem::path& file) {
  if (!Rs274Available()) throw std::runtime_error("rs274 not found (Debian package linuxcnc-uspace)");
  TempRoot scratch;
  const std::string home = scratch.Path().string();
  const std::string command = "cd '" + home + "' && HOME='" + home + "' rs274 -g '" + file.string() + "' -v '" +
                              (scratch.Path() / "vars.var").string() + "' 2>&1";
  Rs274Result result;
  result.exitCode = RunShell(command, result.output);
  std::istringstream lines(result.output);
  for (std::string line; std::getline(lines, line);) {
    if (auto move = MoveOf(line)) result.moves.push_back(*move);
  }
  return result;
}

/// What rs274 made of a program whose lines each start with their own number "N<k>": the moves
/// each line made, and the lines it refused with its reason. It runs on after a refused line.
struct Rs274Lines {
  std::map<int, std::vector<Rs274Move>> moves;
  std::map<int, std::string> refused;
  std::string output;
};

inline Rs274Lines RunRs274Numbered(const std::string& program) {
  if (!Rs274Available()) throw std::runtime_error("rs274 not found (Debian package linuxcnc-uspace)");
  TempRoot scratch;
  const auto file = scratch.Path() / "program.ngc";
  const auto errors = scratch.Path() / "errors";
  WriteBytes(file, program);
  const std::string home = scratch.Path().string();
  const std::string command = "cd '" + home + "' && HOME='" + home + "' rs274 -g -n 0 '" + file.string() + "' -v '" +
                              (scratch.Path() / "vars.var").string() + "' 2>'" + errors.string() + "'";
  Rs274Lines result;
  RunShell(command, result.output);

  const auto lineNumber = [](const std::string& text, std::size_t at) {
    if (at >= text.size() || text[at] != 'N' || at + 1 >= text.size() || !std::isdigit(text[at + 1])) return -1;
    return std::atoi(text.c_str() + at + 1);
  };
  std::istringstream lines(result.output);
  for (std::string line; std::getline(lines, line);) {
    const auto n = line.find('N');
    const int number = n == std::string::npos ? -1 : lineNumber(line, n);
    if (number < 0) continue;
    if (auto move = MoveOf(line)) result.moves[number].push_back(*move);
  }
  // A refusal is the reason on one line and the refused line itself on the next.
  std::ifstream err(errors);
  std::string previous;
  for (std::string line; std::getline(err, line); previous = line) {
    const int number = lineNumber(line, 0);
    if (number >= 0) result.refused[number] = previous;
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
