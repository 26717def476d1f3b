// SPDX-License-Identifier: MIT
#include "gcode_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <numbers>
#include <string>

#include "arc_geometry.h"
#include "plot_messages.h"

namespace talvo::plot {

namespace {

// Larger numbers are refused: no table is that big, and keeping every value within it keeps
// all later sums and squares finite.
constexpr double kMaxMagnitude = 1e9;

// Longer lines are refused: no hand- or CAM-written block comes near it, and the text pane
// would have to lay the whole line out.
constexpr std::size_t kMaxLineLength = std::size_t{64} * 1024;

enum class Motion { None, Rapid, Feed, ArcCw, ArcCcw };

// The words of one block, indexed by letter.
struct Block {
  double value[26] = {};
  std::uint32_t present = 0;
  int motion = -1;    // G0..G3, G80 seen on this line (-1: none)
  int distance = -1;  // 90 or 91
  int units = -1;     // 20 or 21
  int plane = -1;     // 17, 18 or 19
  bool end = false;   // M2 or M30

  bool Has(char letter) const { return present & (1u << (letter - 'A')); }
  double Get(char letter) const { return value[letter - 'A']; }
};

class Reader {
 public:
  explicit Reader(PlotProgram& out) : out_(out) {}

  // Returns false once the program has ended.
  bool Line(std::string_view line, std::uint32_t index);

 private:
  const char* Parse(std::string_view line, Block& block);
  const char* Execute(const Block& block, std::uint32_t index);
  const char* Arc(const Block& block, PlotPoint end, std::uint32_t index);
  void Add(PlotMove move);
  void Fail(std::uint32_t index, const char* reason, std::string_view detail = {});

  PlotProgram& out_;
  PlotPoint position_;
  Motion motion_ = Motion::None;
  bool incremental_ = false;
  bool sawCode_ = false;
  bool lastWasRapid_ = false;
  double feed_ = kNoFeed;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

// A number as G-code writes it: an optional sign, digits with at most one point (".5", "-.75",
// "3."), no exponent. Returns the end of the number, or nullptr when there is none.
const char* ReadNumber(const char* p, const char* end, double& value, bool& tooBig) {
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  const char* first = p;
  bool digits = false;
  while (p < end && *p >= '0' && *p <= '9') {
    ++p;
    digits = true;
  }
  if (p < end && *p == '.') {
    ++p;
    while (p < end && *p >= '0' && *p <= '9') {
      ++p;
      digits = true;
    }
  }
  if (!digits) return nullptr;
  double v = 0;
  const auto result = std::from_chars(first, p, v, std::chars_format::fixed);
  tooBig = result.ec == std::errc::result_out_of_range || !(v <= kMaxMagnitude);
  value = negative ? -v : v;
  return p;
}

const char* Reader::Parse(std::string_view line, Block& block) {
  const char* p = line.data();
  const char* const end = p + line.size();
  while (p < end && IsBlank(*p)) ++p;
  if (p < end && *p == '/') ++p;  // block delete is off: the line is read as if unmarked
  while (p < end) {
    const char c = *p;
    if (IsBlank(c)) {
      ++p;
      continue;
    }
    if (c == ';') break;
    if (c == '(') {
      const void* close = std::memchr(p, ')', static_cast<std::size_t>(end - p));
      if (!close) return msg::kOpenComment;
      p = static_cast<const char*>(close) + 1;
      continue;
    }
    const char letter = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (letter < 'A' || letter > 'Z') return msg::kBadCharacter;
    ++p;
    while (p < end && IsBlank(*p)) ++p;
    double v = 0;
    bool tooBig = false;
    const char* after = ReadNumber(p, end, v, tooBig);
    if (!after) return msg::kNumberMissing;
    if (tooBig) return msg::kNumberTooBig;
    p = after;
    if (letter == 'G') {
      const double tenths = std::round(v * 10);
      const int code = static_cast<int>(tenths / 10);
      if (std::abs(v) > 1000 || tenths != code * 10.0) return msg::kCodeUnknown;
      int* group = nullptr;
      switch (code) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 80: group = &block.motion; break;
        case 90:
        case 91: group = &block.distance; break;
        case 20:
        case 21: group = &block.units; break;
        case 17:
        case 18:
        case 19: group = &block.plane; break;
        // Modes that do not change the drawn path: dwell, cutter and length compensation off,
        // work offsets, path control, feed per minute.
        case 4:
        case 40:
        case 49:
        case 54:
        case 55:
        case 56:
        case 57:
        case 58:
        case 59:
        case 61:
        case 64:
        case 94: continue;
        default: return msg::kCodeUnknown;
      }
      if (*group != -1) return msg::kCodesClash;
      *group = code;
      continue;
    }
    if (letter == 'M') {
      if (v == 2 || v == 30) block.end = true;
      continue;
    }
    const std::uint32_t bit = 1u << (letter - 'A');
    if (block.present & bit) return msg::kWordTwice;
    block.present |= bit;
    block.value[letter - 'A'] = v;
  }
  return nullptr;
}

void Reader::Add(PlotMove move) {
  move.feed = feed_;
  move.pierce = move.IsCut() && lastWasRapid_;
  if (move.pierce) out_.pierces.push_back(static_cast<std::uint32_t>(out_.moves.size()));
  lastWasRapid_ = !move.IsCut();
  (move.IsCut() ? out_.cutLength : out_.rapidLength) += MoveLength(move);
  out_.extents.Add(MoveBox(move));
  out_.moves.push_back(move);
}

const char* Reader::Arc(const Block& block, PlotPoint end, std::uint32_t index) {
  const bool hasR = block.Has('R');
  const bool hasIJ = block.Has('I') || block.Has('J');
  if (!hasR && !hasIJ) return msg::kArcNeedsCentre;
  if (hasR && hasIJ) return msg::kArcBothForms;
  PlotMove move;
  move.kind = motion_ == Motion::ArcCw ? MoveKind::ArcCw : MoveKind::ArcCcw;
  move.start = position_;
  move.end = end;
  move.line = index;
  const double tolerance = out_.units == PlotUnits::Inch ? 0.0005 : 0.005;
  if (hasIJ) {
    move.centreX = position_.x + block.Get('I');
    move.centreY = position_.y + block.Get('J');
    const double r0 = std::hypot(position_.x - move.centreX, position_.y - move.centreY);
    const double r1 = std::hypot(end.x - move.centreX, end.y - move.centreY);
    if (r0 == 0) return msg::kArcRadiusZero;
    if (std::abs(r1 - r0) > tolerance + 0.001 * r0) return msg::kArcEndOff;
  } else {
    if (!block.Has('X') && !block.Has('Y')) return msg::kArcNeedsEnd;
    const double radius = block.Get('R');
    const double r = std::abs(radius);
    if (end.x == position_.x && end.y == position_.y) return msg::kArcFullWithR;
    if (r == 0) return msg::kArcRadiusZero;
    const double midX = (position_.x + end.x) / 2;
    const double midY = (position_.y + end.y) / 2;
    double half = std::hypot(end.x - midX, end.y - midY);
    if (half > r * (1 + 1e-9) + 1e-12) return msg::kArcRadiusSmall;
    half = std::min(half, r);
    // A positive radius takes the shorter way round, a negative one the longer: the centre
    // lies to the right of the chord for a short clockwise arc, to its left otherwise.
    const bool right = (motion_ == Motion::ArcCw) == (radius > 0);
    const double chord = std::atan2(end.y - position_.y, end.x - position_.x);
    const double theta = chord + (right ? -std::numbers::pi / 2 : std::numbers::pi / 2);
    const double offset = std::sqrt(r * r - half * half);
    move.centreX = midX + offset * std::cos(theta);
    move.centreY = midY + offset * std::sin(theta);
  }
  Add(move);
  return nullptr;
}

const char* Reader::Execute(const Block& block, std::uint32_t index) {
  if (block.plane == 18 || block.plane == 19) return msg::kPlaneUnsupported;
  if (block.units != -1) out_.units = block.units == 20 ? PlotUnits::Inch : PlotUnits::Millimetre;
  if (block.distance != -1) incremental_ = block.distance == 91;
  if (block.Has('F')) feed_ = block.Get('F');
  switch (block.motion) {
    case 0: motion_ = Motion::Rapid; break;
    case 1: motion_ = Motion::Feed; break;
    case 2: motion_ = Motion::ArcCw; break;
    case 3: motion_ = Motion::ArcCcw; break;
    case 80: motion_ = Motion::None; break;
    default: break;
  }
  const bool axes = block.Has('X') || block.Has('Y') || block.Has('Z');
  const bool arcWords = block.Has('I') || block.Has('J') || block.Has('R');
  const bool arc = motion_ == Motion::ArcCw || motion_ == Motion::ArcCcw;
  if (!axes && !(arc && arcWords)) return nullptr;
  if (motion_ == Motion::None) return msg::kNoMotionMode;

  PlotPoint end = position_;
  if (block.Has('X')) end.x = incremental_ ? position_.x + block.Get('X') : block.Get('X');
  if (block.Has('Y')) end.y = incremental_ ? position_.y + block.Get('Y') : block.Get('Y');
  if (block.Has('Z')) end.z = incremental_ ? position_.z + block.Get('Z') : block.Get('Z');
  if (arc) {
    if (const char* why = Arc(block, end, index)) return why;
  } else {
    PlotMove move;
    move.kind = motion_ == Motion::Rapid ? MoveKind::Rapid : MoveKind::Feed;
    move.start = position_;
    move.end = end;
    move.line = index;
    Add(move);
  }
  position_ = end;
  return nullptr;
}

void Reader::Fail(std::uint32_t index, const char* reason, std::string_view detail) {
  ++out_.errorCount;
  if (out_.errors.size() >= PlotProgram::kMaxKeptErrors) return;
  std::string text(reason);
  if (!detail.empty()) text.append(": ").append(detail);
  out_.errors.push_back({index, std::move(text)});
}

bool Reader::Line(std::string_view line, std::uint32_t index) {
  if (line.size() > kMaxLineLength) {
    Fail(index, msg::kLineTooLong, std::to_string(line.size()));
    return true;
  }
  std::size_t first = 0, last = line.size();
  while (first < last && IsBlank(line[first])) ++first;
  while (last > first && IsBlank(line[last - 1])) --last;
  if (first == last) return true;
  if (line.substr(first, last - first) == "%") {
    // A leading "%" opens the program; any later one closes it.
    if (sawCode_) return false;
    sawCode_ = true;
    return true;
  }
  sawCode_ = true;
  Block block;
  const char* why = Parse(line, block);
  if (!why) why = Execute(block, index);
  if (why) {
    Fail(index, why);
    return true;
  }
  return !block.end;
}

}  // namespace

PlotProgram ReadProgram(std::string_view text) {
  PlotProgram out;
  // One pass to count lines spares the vectors their growing copies; the moves' room is
  // only touched as it fills.
  const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  out.lineStarts.reserve(lines);
  out.moves.reserve(std::min<std::size_t>(lines, 2'000'000));
  Reader reader(out);
  bool reading = true;
  std::size_t start = 0;
  std::uint32_t index = 0;
  while (start < text.size()) {
    const void* nl = std::memchr(text.data() + start, '\n', text.size() - start);
    const std::size_t stop = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - text.data()) : text.size();
    out.lineStarts.push_back(static_cast<std::uint32_t>(start));
    if (reading) reading = reader.Line(text.substr(start, stop - start), index);
    ++index;
    start = stop + 1;
  }
  return out;
}

}  // namespace talvo::plot
