// SPDX-License-Identifier: MIT
#include "workloads.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

namespace {

constexpr double kSheetX = 3000, kSheetY = 1500;
constexpr double kSlotEndRadius = 6;  // the R6 the slots' ends are written with

// Appends one line, the way CAM post-processors write numbers: three decimals.
template <typename... Args>
void Line(std::string& out, const char* format, Args... args) {
  char buffer[96];
  const int n = std::snprintf(buffer, sizeof buffer, format, args...);
  out.append(buffer, static_cast<std::size_t>(n));
  out += "\r\n";
}

// A hole of radius r about (cx, cy) as the random sheet writes it: a rapid to a point inside,
// a lead-in down to the circle's bottom, one full clockwise circle by J alone. Three lines.
void Hole(std::string& out, double cx, double cy, double r) {
  const double lead = std::min(3.0, r / 2);
  Line(out, "G0X%.3fY%.3f", cx, cy - r + lead);
  Line(out, "G1Y%.3fF%d", cy - r, r < 15 ? 1200 : 2500);
  Line(out, "G2J%.3f", r);
}

// A slot `length` long between the centres of its round ends, about (cx, cy), along the unit
// direction (ux, uy): pierced on one side, cut counter-clockwise with G3 R ends. Five lines.
void Slot(std::string& out, double cx, double cy, double length, double ux, double uy) {
  const double h = length / 2, w = kSlotEndRadius, nx = -uy * w, ny = ux * w;
  const double ax = cx - ux * h, ay = cy - uy * h, bx = cx + ux * h, by = cy + uy * h;
  Line(out, "G0X%.3fY%.3f", ax - nx, ay - ny);
  Line(out, "G1X%.3fY%.3fF2500", bx - nx, by - ny);
  Line(out, "G3X%.3fY%.3fR6", bx + nx, by + ny);
  Line(out, "G1X%.3fY%.3f", ax + nx, ay + ny);
  Line(out, "G3X%.3fY%.3fR6", ax - nx, ay - ny);
}

// A hole of radius r about (cx, cy): a lead-in from the centre side to the circle's bottom,
// one full clockwise circle, the torch on and off. Five lines.
void PiercedHole(std::string& out, double cx, double cy, double r, int feed) {
  const double lead = std::min(3.0, r / 2);
  Line(out, "G0X%.3fY%.3f", cx, cy - r + lead);
  Line(out, "M3");
  Line(out, "G1X%.3fY%.3fF%d", cx, cy - r, feed);
  Line(out, "G2X%.3fY%.3fI0J%.3f", cx, cy - r, r);
  Line(out, "M5");
}

// A w × h blank with corner radius r, lower left at (x, y), cut counter-clockwise from a
// lead-in on its bottom side. Thirteen lines.
void Blank(std::string& out, double x, double y, double w, double h, double r, int feed) {
  Line(out, "G0X%.3fY%.3f", x + w / 2, y - 4);
  Line(out, "M3");
  Line(out, "G1Y%.3fF%d", y, feed);
  Line(out, "X%.3f", x + w - r);
  Line(out, "G3X%.3fY%.3fR%.3f", x + w, y + r, r);
  Line(out, "G1Y%.3f", y + h - r);
  Line(out, "G3X%.3fY%.3fR%.3f", x + w - r, y + h, r);
  Line(out, "G1X%.3f", x + r);
  Line(out, "G3X%.3fY%.3fR%.3f", x, y + h - r, r);
  Line(out, "G1Y%.3f", y + r);
  Line(out, "G3X%.3fY%.3fR%.3f", x + r, y, r);
  Line(out, "G1X%.3f", x + w / 2);
  Line(out, "M5");
}

// The end of a sheet: the torch back to the origin, M30 and the closing %. Three lines.
void EndAtHome(std::string& out) {
  Line(out, "G0X0Y0");
  Line(out, "M30");
  Line(out, "%%");
}

}  // namespace

std::string RandomHoleSheetProgram(std::size_t lines) {
  std::mt19937_64 random(kRandomHoleSheetSeed);
  std::uniform_real_distribution<double> unit(0, 1);
  std::string out;
  out.reserve(lines * 22);
  Line(out, "G21G90G17");
  std::size_t written = 1;
  // A hole and a slot take eight lines; the program ends with three.
  while (written + 8 + 3 <= lines) {
    const double r = 4 + 41 * unit(random);
    const double hx = r + (kSheetX - 2 * r) * unit(random), hy = r + (kSheetY - 2 * r) * unit(random);
    Hole(out, hx, hy, r);
    const double length = 20 + 130 * unit(random), turn = 2 * std::numbers::pi * unit(random);
    const double reach = length / 2 + kSlotEndRadius;
    const double sx = reach + (kSheetX - 2 * reach) * unit(random), sy = reach + (kSheetY - 2 * reach) * unit(random);
    Slot(out, sx, sy, length, std::cos(turn), std::sin(turn));
    written += 8;
  }
  EndAtHome(out);
  return out;
}

std::string ShiftedNestCopiesProgram(std::size_t lines) {
  std::mt19937_64 random(kShiftedNestSeed);
  std::uniform_real_distribution<double> unit(0, 1);
  std::string out;
  out.reserve(lines * 24);
  Line(out, "G21G90G17");
  Line(out, "G0X0Y0");
  std::size_t written = 2;
  // Parts are packed on shelves with a 3 mm web, as a nest places them; a million lines
  // fill the sheet many times over, each fill shifted a little, as a job of many sheets
  // drawn on one table would.
  constexpr double kWeb = 3;
  double x = kWeb, y = 8, shelf = 0, shift = 0;
  while (written + 12 < lines) {
    const bool hole = unit(random) < 0.6;
    const double r = hole ? 5 * std::pow(10.0, unit(random)) : 2 + 4 * unit(random);  // holes of r 5–50 mm
    const double w = hole ? 2 * r : 20 + 60 * unit(random), h = hole ? 2 * r : 15 + 40 * unit(random);
    if (x + w + kWeb > kSheetX) {
      x = kWeb;
      y += shelf + kWeb + 4;  // room for the next shelf's lead-ins
      shelf = 0;
    }
    if (y + h + kWeb > kSheetY) {
      shift = std::fmod(shift + 7.3, 40);
      x = kWeb + shift;
      y = 8 + shift / 2;
    }
    if (hole) {
      PiercedHole(out, x + r, y + r, r, r < 15 ? 1200 : 2500);
      written += 5;
    } else {
      Blank(out, x, y, w, h, r, 2500);
      written += 13;
    }
    x += w + kWeb;
    shelf = std::max(shelf, h);
  }
  EndAtHome(out);
  return out;
}

std::string PolylineProgram(std::size_t lines) {
  std::mt19937_64 random(kArtworkSeed);
  std::uniform_real_distribution<double> unit(0, 1);
  std::string out;
  out.reserve(lines * 20);
  Line(out, "G21G90G17");
  std::size_t written = 1;
  const std::size_t chains = 300;
  const std::size_t perChain = lines / chains > 5 ? lines / chains - 5 : 1;
  for (std::size_t c = 0; c < chains && written + 5 < lines; ++c, written += perChain + 4) {
    double x = 100 + 2800 * unit(random), y = 100 + 1300 * unit(random);
    double heading = 2 * std::numbers::pi * unit(random);
    Line(out, "G0X%.3fY%.3f", x, y);
    Line(out, "M3");
    Line(out, "G1F1500");
    for (std::size_t k = 0; k < perChain; ++k) {
      // A wandering stroke: the direction turns a little at each segment, as traced artwork does.
      heading += 0.3 * (unit(random) - 0.5);
      const double step = 0.05 + 0.95 * unit(random);
      x = std::clamp(x + step * std::cos(heading), 0.0, kSheetX);
      y = std::clamp(y + step * std::sin(heading), 0.0, kSheetY);
      Line(out, "X%.3fY%.3f", x, y);
    }
    Line(out, "M5");
  }
  Line(out, "M30");
  Line(out, "%%");
  return out;
}

std::string IdenticalCirclesProgram(std::size_t count) {
  std::string out = "G21G90G17F1000\r\n";
  for (std::size_t i = 0; i < count; ++i) out += "G2X0Y0I1J0\r\n";
  out += "M30\r\n";
  return out;
}

std::string HugeCirclesProgram(std::size_t count) {
  std::string out = "G21G90G17F1000\r\n";
  for (std::size_t i = 0; i < count; ++i) out += "G2X0Y0I1000000J0\r\n";
  out += "M30\r\n";
  return out;
}

std::string StackedMovesProgram(std::size_t bytes) {
  std::string out = "G21G90G17G1F1000\r\n";
  out.reserve(bytes);
  while (out.size() + 16 < bytes) out += "X1.0\nX2.0\n";
  out += "M30\n";
  return out;
}
