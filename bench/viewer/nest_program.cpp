// SPDX-License-Identifier: MIT
#include "nest_program.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "cut_kind.h"
#include "generation_run.h"

namespace {

// The contour lines of one program, without its closing M30 and %.
std::vector<std::string> Contour(talvo::CutKind kind, const talvo::CutInputs& inputs) {
  const std::string text = talvo::StrippedLines(talvo::ProgramText(talvo::ContourLines(kind, inputs)));
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    if (line != "M30" && line != "%" && !line.empty()) lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

// The line with `dx` added to its X word and `dy` to its Y word.
void AppendShifted(std::string& out, const std::string& line, double dx, double dy) {
  char number[40];
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    out += c;
    if (c != 'X' && c != 'Y') continue;
    char* end = nullptr;
    const double v = std::strtod(line.c_str() + i + 1, &end);
    std::snprintf(number, sizeof number, "%.3f", v + (c == 'X' ? dx : dy));
    out += number;
    i = static_cast<std::size_t>(end - line.c_str()) - 1;
  }
  out += "\r\n";
}

}  // namespace

std::string NestProgram(std::size_t lines) {
  using talvo::CutKind;
  talvo::CutInputs hole{.Diameter = 100, .StartDistance = 10, .FlameDiameter = 4, .Feed = 300};
  talvo::CutInputs disc{.Diameter = 80.25, .StartDistance = 6, .FlameDiameter = 3.125, .Feed = 250};
  talvo::CutInputs pocket{.SizeX = 200, .SizeY = 100, .StartDistance = 10, .FlameDiameter = 4, .Feed = 300};
  talvo::CutInputs blank{.SizeX = 120.1234, .SizeY = 60, .StartDistance = 8, .FlameDiameter = 3, .Feed = 450};
  const std::vector<std::string> contours[] = {Contour(CutKind::InnerCircle, hole), Contour(CutKind::OuterCircle, disc),
                                               Contour(CutKind::InnerRectangle, pocket),
                                               Contour(CutKind::OuterRectangle, blank)};
  // A short cut of arcs in the cell's corner, ending where it starts its last circle.
  const std::vector<std::string> arcs = {"G0X200Y200", "G1X220Y200F300", "G3X230Y210R10", "G2X240Y220R-10",
                                         "G3X240Y220I-5J0"};
  std::string out;
  out.reserve(lines * 20);
  out += "G21G90G17\r\n";
  std::size_t written = 1;
  for (std::size_t k = 0; written + 1 < lines; ++k) {
    const std::size_t column = k % 400, row = k / 400;  // rows of 400 parts
    const double dx = static_cast<double>(column) * 300, dy = static_cast<double>(row) * 300;
    for (const std::string& line : contours[k % 4]) AppendShifted(out, line, dx, dy);
    written += contours[k % 4].size();
    for (const std::string& line : arcs) AppendShifted(out, line, dx, dy);
    written += arcs.size();
  }
  out += "M30\r\n%\r\n";
  return out;
}
