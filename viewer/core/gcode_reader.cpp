// SPDX-License-Identifier: MIT
#include "gcode_reader.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <cstring>
#include <exception>
#include <iterator>
#include <memory>
#include <new>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

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

// The allowances of LinuxCNC's interpreter, so that the viewer refuses the arcs it refuses and
// draws those it runs: an R arc may fall short of its end by the radius allowance; an I J arc may
// end off its circle by the spiral allowance when that is also more than a thousandth of the
// radius, and never by a hundred times the allowance; a radius under the radius allowance is zero.
constexpr double kRadiusAllowanceInch = 0.00005;
constexpr double kRadiusAllowanceMm = kRadiusAllowanceInch * 25.4;
constexpr double kSpiralAllowanceInch = 0.002 * std::numbers::sqrt2;
constexpr double kSpiralAllowanceMm = 0.02 * std::numbers::sqrt2;
constexpr double kSpiralRelative = 0.001;
constexpr double kTiny = 1e-12;

constexpr std::uint32_t Bit(char letter) { return 1u << (letter - 'A'); }

// The words of one block. The small fields come first and the values are kept in the order
// read, so a short line touches one or two cache lines of it: a large program's lines are handed
// from one thread to another by the hundred thousand.
struct Block {
  std::uint32_t present = 0;
  std::uint32_t expression = 0;  // letters whose value is an expression the reader does not evaluate
  std::int8_t motion = -1;       // G0..G3, G80 seen on this line (-1: none)
  std::int8_t distance = -1;     // 90 or 91
  std::int8_t units = -1;        // 20 or 21
  std::int8_t plane = -1;        // 17, 18 or 19
  bool end = false;              // M2 or M30
  bool dwell = false;            // G4
  bool pathControl = false;      // G64
  bool dollar = false;           // a $ word (spindle selection)
  bool wordsM = false;           // an M code that takes P and Q: M19, M50-M53, M62-M68, user codes M100-M199
  bool ioM = false;              // M66, M67 or M68, which take E, L and Q
  bool spindleM = false;         // M3, M4, M5, M19 or M51, which take $
  std::uint8_t passedCount = 0;
  std::uint8_t valueCount = 0;
  // Only the entries of present letters are set, which spares every line clearing them.
  std::uint8_t slot[26];  // where each present letter's value is in value[]
  double value[26];
  // What the line carries that the drawing passes over: each kind has one text, so the pointer
  // names it. Only the first passedCount are set, which spares every line clearing them.
  const char* passed[8];

  bool Has(char letter) const { return present & Bit(letter); }
  bool IsExpression(char letter) const { return expression & Bit(letter); }
  double Get(char letter) const { return Has(letter) ? value[slot[letter - 'A']] : 0; }
  // Once for each letter: a word given twice is refused before it is set.
  void Set(char letter, double v) {
    present |= Bit(letter);
    slot[letter - 'A'] = valueCount;
    value[valueCount++] = v;
  }
  void Pass(const char* word) {
    for (int i = 0; i < passedCount; ++i) {
      if (passed[i] == word) return;
    }
    if (passedCount < std::size(passed)) passed[passedCount++] = word;
  }
};

enum class LineKind : std::uint8_t { Blank, TooLong, Percent, Code };

// One source line as read on its own, before the modes of the lines above it apply.
struct ParsedLine {
  LineKind kind = LineKind::Blank;
  std::uint32_t length = 0;   // for a TooLong line
  const char* why = nullptr;  // why the words cannot be read, for a Code line
  Block block;
};

// Reads lines into words. It keeps no state between lines but the texts the words point
// into, so it may run ahead of the Reader, on another thread.
class Parser {
 public:
  void Read(std::string_view line, ParsedLine& out);

 private:
  const char* Parse(std::string_view line, Block& block);

  // The texts of M codes passed over, kept so that the passed words can point into them.
  std::vector<std::unique_ptr<std::string>> mNames_;
};

// Runs parsed lines in program order, with the modes each leaves for the next.
class Reader {
 public:
  explicit Reader(PlotProgram& out) : out_(out) {}

  // Returns false once the program has ended.
  bool Take(ParsedLine& line, std::uint32_t index);

 private:
  const char* Execute(const Block& block, std::uint32_t index);
  const char* Arc(const Block& block, PlotPoint end, std::uint32_t index);
  void Add(PlotMove& move);  // sets the move's feed and pierce mark
  void Fail(std::uint32_t index, const char* reason, std::string_view detail = {});
  void NotePassed(const Block& block, std::uint32_t index);

  PlotProgram& out_;
  PlotPoint position_;
  Motion motion_ = Motion::None;
  bool incremental_ = false;
  bool sawCode_ = false;
  bool lastWasRapid_ = false;
  bool feedUnknown_ = false;
  double feed_ = kNoFeed;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A number as G-code writes it: an optional sign, digits with at most one point (".5", "-.75",
// "3."), no exponent. Returns the end of the number, or nullptr when there is none.
const char* ReadNumber(const char* p, const char* end, double& value, bool& tooBig) {
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  const char* first = p;
  // The digits are gathered as they are scanned: a program's numbers almost always fit
  // in a double's mantissa, and then one division gives the same value from_chars would.
  std::uint64_t mantissa = 0;
  int digits = 0, decimals = 0;
  while (p < end && IsDigit(*p)) {
    if (digits < 19) mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    ++digits;
    ++p;
  }
  if (p < end && *p == '.') {
    ++p;
    while (p < end && IsDigit(*p)) {
      if (digits < 19) mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
      ++digits;
      ++decimals;
      ++p;
    }
  }
  if (digits == 0) return nullptr;
  double v = 0;
  constexpr std::uint64_t kExactMantissa = std::uint64_t{1} << 53;
  if (digits <= 19 && mantissa <= kExactMantissa && decimals < static_cast<int>(std::size(kExactPowersOfTen))) {
    // Both operands are exact, so the quotient is the correctly rounded value of the text.
    v = static_cast<double>(mantissa) / kExactPowersOfTen[decimals];
    tooBig = !(v <= kMaxMagnitude);
  } else {
    const auto result = std::from_chars(first, p, v, std::chars_format::fixed);
    tooBig = result.ec == std::errc::result_out_of_range || !(v <= kMaxMagnitude);
  }
  value = negative ? -v : v;
  return p;
}

// True when the number that ends at p goes on as an exponent ("1e3", "2.5E-4"): LinuxCNC reads
// that as a number followed by an E word, so the line means something other than it shows.
bool ExponentFollows(const char* p, const char* end) {
  if (p >= end || (*p != 'e' && *p != 'E')) return false;
  ++p;
  if (p < end && (*p == '+' || *p == '-')) ++p;
  return p < end && IsDigit(*p);
}

// Deeper nesting is refused: no program nests expressions this deep, and the skipping stays
// within a small stack whatever the line.
constexpr int kMaxNesting = 64;

const char* SkipBrackets(const char* p, const char* end, int nesting);

// A parameter: "#5", "#<name>", "#<_hal[pin.name]>", "#[expression]", "##1". p is at the '#'.
const char* SkipParameter(const char* p, const char* end, int nesting) {
  while (p < end && (*p == '#' || IsBlank(*p))) ++p;  // "##1" is the parameter #1 names
  if (p >= end) return nullptr;
  if (*p == '<') {
    const void* close = std::memchr(p, '>', static_cast<std::size_t>(end - p));
    return close ? static_cast<const char*>(close) + 1 : nullptr;
  }
  if (*p == '[') return SkipBrackets(p, end, nesting + 1);
  if (!IsDigit(*p)) return nullptr;
  while (p < end && (IsDigit(*p) || *p == '.')) ++p;
  return p;
}

// A bracketed expression; p is at the '['. Names in <> may hold brackets of their own.
const char* SkipBrackets(const char* p, const char* end, int nesting) {
  if (nesting > kMaxNesting) return nullptr;
  int depth = 0;
  while (p < end) {
    if (*p == '#') {
      const char* after = SkipParameter(p, end, nesting);
      if (!after) return nullptr;
      p = after;
      continue;
    }
    if (*p == '[') ++depth;
    if (*p == ']' && --depth == 0) return p + 1;
    ++p;
  }
  return nullptr;
}

// A value the reader does not evaluate: a bracketed expression, a parameter, a function such as
// "ABS[...]" or "ATAN[...]/[...]", each with an optional sign. Returns its end, or nullptr.
const char* SkipExpression(const char* p, const char* end) {
  if (p < end && (*p == '+' || *p == '-')) ++p;
  if (p >= end) return nullptr;
  if (*p == '[') return SkipBrackets(p, end, 0);
  if (*p == '#') return SkipParameter(p, end, 0);
  if (!IsAlpha(*p)) return nullptr;
  const char* q = p;
  while (q < end && IsAlpha(*q)) ++q;
  if (q - p < 2 || q >= end || *q != '[') return nullptr;  // a function name has two letters or more
  const char* after = SkipBrackets(q, end, 0);
  if (!after) return nullptr;
  const char* slash = after;
  while (slash < end && IsBlank(*slash)) ++slash;
  if (slash < end && *slash == '/') {  // ATAN[y]/[x]
    ++slash;
    while (slash < end && IsBlank(*slash)) ++slash;
    if (slash < end && *slash == '[') return SkipBrackets(slash, end, 0);
  }
  return after;
}

const char* Parser::Parse(std::string_view line, Block& block) {
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
    if (c == ';') {
      block.Pass(msg::kPassedComment);
      break;
    }
    if (c == '(') {
      const void* close = std::memchr(p, ')', static_cast<std::size_t>(end - p));
      if (!close) return msg::kOpenComment;
      p = static_cast<const char*>(close) + 1;
      block.Pass(msg::kPassedComment);
      continue;
    }
    if (c == '#') {  // a parameter assignment: "#<holes> = 4", "#1=[#2*3]"
      const char* after = SkipParameter(p, end, 0);
      if (!after) return msg::kBadCharacter;
      while (after < end && IsBlank(*after)) ++after;
      if (after >= end || *after != '=') return msg::kBadCharacter;
      ++after;
      while (after < end && IsBlank(*after)) ++after;
      double v = 0;
      bool tooBig = false;
      const char* value = ReadNumber(after, end, v, tooBig);
      if (!value || (value < end && (*value == '[' || *value == '#'))) value = SkipExpression(after, end);
      if (!value) return msg::kNumberMissing;
      p = value;
      block.Pass(msg::kPassedAssignment);
      continue;
    }
    if (c == '$') {
      ++p;
      double v = 0;
      bool tooBig = false;
      const char* after = ReadNumber(p, end, v, tooBig);
      if (!after) return msg::kNumberMissing;
      p = after;
      block.dollar = true;
      continue;
    }
    const char letter = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (letter < 'A' || letter > 'Z') return msg::kBadCharacter;
    ++p;
    while (p < end && IsBlank(*p)) ++p;
    double v = 0;
    bool tooBig = false;
    bool expression = false;
    const char* after = ReadNumber(p, end, v, tooBig);
    if (after) {
      if (tooBig) return msg::kNumberTooBig;
      if (ExponentFollows(after, end)) return msg::kExponent;
    } else {
      after = SkipExpression(p, end);
      if (!after) return msg::kNumberMissing;
      expression = true;
    }
    p = after;
    if (letter == 'G') {
      if (expression) return msg::kCodeUnknown;
      const double tenths = std::round(v * 10);
      const int code = static_cast<int>(tenths / 10);
      if (std::abs(v) > 1000 || tenths != code * 10.0) return msg::kCodeUnknown;
      std::int8_t* group = nullptr;
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
        case 4:
          block.dwell = true;
          block.Pass("G4");
          continue;
        case 64:
          block.pathControl = true;
          block.Pass("G64");
          continue;
        // Modes that do not change the drawn path: cutter and length compensation off, work
        // offsets, exact path, feed per minute, spindle speed in turns.
        case 40:
        case 49:
        case 54:
        case 55:
        case 56:
        case 57:
        case 58:
        case 59:
        case 61:
        case 94:
        case 97: continue;
        default: return msg::kCodeUnknown;
      }
      if (*group != -1) return msg::kCodesClash;
      *group = static_cast<std::int8_t>(code);
      continue;
    }
    if (letter == 'M') {
      if (expression || v < 0 || v != std::floor(v) || v > 1000) return msg::kCodeUnknown;
      const int code = static_cast<int>(v);
      if (code == 2 || code == 30) {
        block.end = true;
        continue;
      }
      if (code == 98 || code == 99) return msg::kSubprogram;
      block.wordsM = block.wordsM || code == 19 || (code >= 50 && code <= 53) || (code >= 62 && code <= 68) ||
                     (code >= 100 && code <= 199);
      block.ioM = block.ioM || code == 66 || code == 67 || code == 68;
      block.spindleM = block.spindleM || code == 3 || code == 4 || code == 5 || code == 19 || code == 51;
      if (mNames_.size() <= static_cast<std::size_t>(code)) mNames_.resize(static_cast<std::size_t>(code) + 1);
      auto& name = mNames_[static_cast<std::size_t>(code)];
      if (!name) name = std::make_unique<std::string>("M" + std::to_string(code));
      block.Pass(name->c_str());
      continue;
    }
    if (letter == 'O') return msg::kSubprogram;
    const std::uint32_t bit = Bit(letter);
    if (block.present & bit) return msg::kWordTwice;
    if (expression) block.expression |= bit;
    block.Set(letter, v);
  }
  return nullptr;
}

// The words that need a code on the same line to mean anything: a line that carries one without
// it would be run differently from the way it reads, so it is refused as LinuxCNC refuses it.
const char* Check(const Block& block) {
  constexpr std::uint32_t kOtherAxes = Bit('A') | Bit('B') | Bit('C') | Bit('U') | Bit('V') | Bit('W');
  constexpr std::uint32_t kPathWords =
      Bit('X') | Bit('Y') | Bit('Z') | Bit('I') | Bit('J') | Bit('K') | Bit('R') | Bit('P');
  if (block.present & kOtherAxes) return msg::kAxisNotDrawn;
  if (block.expression & kPathWords) return msg::kExpression;
  if (block.Has('D') || block.Has('H')) return msg::kWordNoUse;
  if ((block.Has('E') || block.Has('L')) && !block.ioM) return msg::kWordNoUse;
  if (block.Has('Q') && !block.wordsM && !block.pathControl) return msg::kWordNoUse;
  if (block.dollar && !block.spindleM && !block.Has('S')) return msg::kWordNoUse;
  return nullptr;
}

void Reader::NotePassed(const Block& block, std::uint32_t index) {
  for (int i = 0; i < block.passedCount; ++i) {
    const auto it = std::find_if(out_.passedOver.begin(), out_.passedOver.end(),
                                 [&](const PassedOver& p) { return p.word == block.passed[i]; });
    if (it == out_.passedOver.end()) {
      out_.passedOver.push_back({std::string(block.passed[i]), index, 1});
    } else {
      ++it->lines;
    }
  }
}

void Reader::Add(PlotMove& move) {
  move.feed = feed_;
  move.pierce = move.IsCut() && lastWasRapid_;
  if (move.pierce) out_.pierces.push_back(static_cast<std::uint32_t>(out_.moves.size()));
  lastWasRapid_ = !move.IsCut();
  if (move.IsCut() && feedUnknown_) out_.feedUnknown = true;
  if (move.IsArc()) {
    (move.IsCut() ? out_.cutLength : out_.rapidLength) += MoveLength(move);
    out_.extents.Add(MoveBox(move));
  } else {
    // Straight moves are most of a program: their length and box without the general calls,
    // by the same sums.
    const double dx = move.end.x - move.start.x, dy = move.end.y - move.start.y, dz = move.end.z - move.start.z;
    (move.IsCut() ? out_.cutLength : out_.rapidLength) += std::sqrt(dx * dx + dy * dy + dz * dz);
    PlotExtents box;
    box.Add(move.start.x, move.start.y);
    box.Add(move.end.x, move.end.y);
    out_.extents.Add(box);
  }
  out_.moves.push_back(move);
}

const char* Reader::Arc(const Block& block, PlotPoint end, std::uint32_t index) {
  const bool hasIJ = block.Has('I') || block.Has('J');
  PlotMove move;
  move.kind = motion_ == Motion::ArcCw ? MoveKind::ArcCw : MoveKind::ArcCcw;
  move.start = position_;
  move.end = end;
  move.line = index;
  const bool inch = out_.units == PlotUnits::Inch;
  const double radiusAllowance = inch ? kRadiusAllowanceInch : kRadiusAllowanceMm;
  if (hasIJ) {
    const double spiralAllowance = inch ? kSpiralAllowanceInch : kSpiralAllowanceMm;
    move.centreX = position_.x + block.Get('I');
    move.centreY = position_.y + block.Get('J');
    const double r0 = std::hypot(move.centreX - position_.x, move.centreY - position_.y);
    const double r1 = std::hypot(move.centreX - end.x, move.centreY - end.y);
    if (r0 < radiusAllowance || r1 < radiusAllowance) return msg::kArcRadiusZero;
    const double off = std::abs(r0 - r1);
    if (off > 100 * spiralAllowance || (off / std::max(r0, r1) > kSpiralRelative && off > spiralAllowance))
      return msg::kArcEndOff;
  } else {
    const double radius = block.Get('R');
    const double r = std::abs(radius);
    if (end.x == position_.x && end.y == position_.y) return msg::kArcFullWithR;
    // LinuxCNC takes R0 for a half circle whose centre it cannot compute; the viewer refuses it.
    if (r == 0) return msg::kArcRadiusZero;
    const double midX = (position_.x + end.x) / 2;
    const double midY = (position_.y + end.y) / 2;
    double half = std::hypot(midX - end.x, midY - end.y);
    if (half - r > radiusAllowance) return msg::kArcRadiusSmall;
    if (half / r > 1 - kTiny) half = r;  // a half circle written a little short
    // A positive radius takes the shorter way round, a negative one the longer: the centre
    // lies to the right of the chord for a short clockwise arc, to its left otherwise.
    const bool right = (motion_ == Motion::ArcCw) == (radius > 0);
    const double chord = std::atan2(end.y - position_.y, end.x - position_.x);
    const double theta = chord + (right ? -std::numbers::pi / 2 : std::numbers::pi / 2);
    const double offset = r * std::cos(std::asin(half / r));
    move.centreX = midX + offset * std::cos(theta);
    move.centreY = midY + offset * std::sin(theta);
  }
  Add(move);
  return nullptr;
}

const char* Reader::Execute(const Block& block, std::uint32_t index) {
  const bool axes = block.Has('X') || block.Has('Y') || block.Has('Z');
  const bool centre = block.Has('I') || block.Has('J');
  const bool arcWords = centre || block.Has('R');
  const auto isArc = [](int code) { return code == 2 || code == 3; };
  // The motion this line runs, found as LinuxCNC finds it: its own, else the modal one when it
  // has axis words, or I J alone in an arc mode.
  const bool modalArc = motion_ == Motion::ArcCw || motion_ == Motion::ArcCcw;
  const bool arcLine = block.motion != -1 ? isArc(block.motion) : (axes || centre) && modalArc;
  if ((arcWords || block.Has('K')) && !arcLine) return msg::kWordNoUse;
  if (block.Has('P') && !arcLine && !block.dwell && !block.pathControl && !block.wordsM) return msg::kWordNoUse;
  if (block.plane == 18 || block.plane == 19) return msg::kPlaneUnsupported;
  Motion next = motion_;
  switch (block.motion) {
    case 0: next = Motion::Rapid; break;
    case 1: next = Motion::Feed; break;
    case 2: next = Motion::ArcCw; break;
    case 3: next = Motion::ArcCcw; break;
    case 80: next = Motion::None; break;
    default: break;
  }
  if (axes && next == Motion::None) return msg::kNoMotionMode;

  // As in LinuxCNC, the line's modes take effect before its motion, and an arc's own mode once
  // its words are complete, even when its end then turns out to be out of reach.
  if (block.Has('F')) {
    feedUnknown_ = block.IsExpression('F');
    feed_ = feedUnknown_ ? kUnknownFeed : block.Get('F');
  }
  if (block.units != -1) out_.units = block.units == 20 ? PlotUnits::Inch : PlotUnits::Millimetre;
  if (block.distance != -1) incremental_ = block.distance == 91;
  const bool arc = next == Motion::ArcCw || next == Motion::ArcCcw;
  if (arc && (axes || arcWords || block.motion != -1)) {
    const bool hasR = block.Has('R');
    if (!hasR && !centre) return msg::kArcNeedsCentre;
    if (hasR && centre) return msg::kArcBothForms;
    if (hasR && !block.Has('X') && !block.Has('Y')) return msg::kArcNeedsEnd;
    if (block.Has('K')) return msg::kWordNoUse;  // K belongs to arcs in other planes
    if (block.Has('P') && block.Get('P') != 1) {
      const double turns = block.Get('P');
      return turns >= 2 && turns == std::floor(turns) ? msg::kArcTurns : msg::kWordNoUse;
    }
  }
  motion_ = next;
  if (!axes && !(arc && arcWords)) return nullptr;

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

void Parser::Read(std::string_view line, ParsedLine& out) {
  if (line.size() > kMaxLineLength) {
    out.kind = LineKind::TooLong;
    out.length = static_cast<std::uint32_t>(line.size());
    return;
  }
  std::size_t first = 0, last = line.size();
  while (first < last && IsBlank(line[first])) ++first;
  while (last > first && IsBlank(line[last - 1])) --last;
  if (first == last) {
    out.kind = LineKind::Blank;
    return;
  }
  if (line.substr(first, last - first) == "%") {
    out.kind = LineKind::Percent;
    return;
  }
  out.kind = LineKind::Code;
  // A fresh block without clearing its values, which are only read once set.
  ::new (&out.block) Block;
  Block& block = out.block;
  out.why = Parse(line, block);
  // What needs no modes is found here, where it may run ahead of the reading thread.
  if (!out.why) out.why = Check(block);
  if (out.why) return;
  if (block.Has('F') && block.IsExpression('F')) block.Pass(msg::kPassedFeedExpression);
  if (block.Has('S')) block.Pass("S");
  if (block.Has('T')) block.Pass("T");
  if (block.dollar) block.Pass("$");
}

bool Reader::Take(ParsedLine& line, std::uint32_t index) {
  switch (line.kind) {
    case LineKind::Blank: return true;
    case LineKind::TooLong: Fail(index, msg::kLineTooLong, std::to_string(line.length)); return true;
    case LineKind::Percent:
      // A leading "%" opens the program; any later one closes it.
      if (sawCode_) return false;
      sawCode_ = true;
      return true;
    case LineKind::Code: break;
  }
  sawCode_ = true;
  Block& block = line.block;
  const char* why = line.why;
  if (!why) why = Execute(block, index);
  if (why) {
    Fail(index, why);
    return true;
  }
  NotePassed(block, index);
  return !block.end;
}

// The end of the line that starts at `start`.
std::size_t LineEnd(std::string_view text, std::size_t start) {
  const void* nl = std::memchr(text.data() + start, '\n', text.size() - start);
  return nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - text.data()) : text.size();
}

// Smaller texts are read on the calling thread alone: a second one would not pay for itself.
constexpr std::size_t kTwoThreadsFrom = std::size_t{1} << 20;
constexpr std::size_t kChunkLines = 1024;
constexpr std::uint32_t kChunks = 8;

// Reads a large text on two threads: one finds the lines and reads their words chunk by chunk,
// the other runs them in order as they come. The result is the one reading alone gives.
void ReadOnTwoThreads(std::string_view text, PlotProgram& out) {
  struct Chunk {
    std::vector<ParsedLine> lines = std::vector<ParsedLine>(kChunkLines);
    std::size_t count = 0;  // an empty chunk ends the lines
  };
  std::vector<Chunk> chunks(kChunks);
  // Chunks filled and chunks taken. Each side waits on the other's count only when it has to,
  // and the counts change a few thousand times a second, so the threads seldom sleep.
  std::atomic<std::uint32_t> produced{0}, consumed{0};
  std::atomic<bool> stop{false};
  std::exception_ptr failure;
  Parser parser;

  const auto publish = [&] {
    produced.fetch_add(1);
    produced.notify_one();
  };
  // When the chunks are all full the finder sleeps until half are free again, so that it is
  // woken once for several chunks taken rather than for each.
  const auto waitForRoom = [&](std::uint32_t next) {
    if (next - consumed.load() < kChunks) return;
    for (std::uint32_t taken = consumed.load(); next - taken > kChunks / 2 && !stop.load(); taken = consumed.load())
      consumed.wait(taken);
  };
  // Only this thread touches out.lineStarts; the reading thread touches the rest of out.
  std::thread finder([&] {
    try {
      std::size_t start = 0;
      while (start < text.size()) {
        const std::uint32_t next = produced.load();
        waitForRoom(next);
        if (stop.load()) break;
        Chunk& chunk = chunks[next % kChunks];
        chunk.count = 0;
        while (chunk.count < kChunkLines && start < text.size()) {
          const std::size_t stopAt = LineEnd(text, start);
          out.lineStarts.push_back(static_cast<std::uint32_t>(start));
          parser.Read(text.substr(start, stopAt - start), chunk.lines[chunk.count++]);
          start = stopAt + 1;
        }
        publish();
      }
      // Once the program has ended the rest of the lines are only found, for the text pane.
      while (start < text.size()) {
        out.lineStarts.push_back(static_cast<std::uint32_t>(start));
        start = LineEnd(text, start) + 1;
      }
    } catch (...) {
      failure = std::current_exception();
    }
    // The empty chunk that ends the lines, once there is room for it.
    const std::uint32_t next = produced.load();
    waitForRoom(next);
    chunks[next % kChunks].count = 0;
    publish();
  });

  const auto take = [&](bool last) {
    const std::uint32_t taken = consumed.fetch_add(1) + 1;
    if (last || produced.load() - taken == kChunks / 2) consumed.notify_one();
  };
  Reader reader(out);
  std::uint32_t index = 0;
  try {
    for (bool reading = true; reading;) {
      const std::uint32_t mine = consumed.load();
      for (std::uint32_t ready = produced.load(); ready == mine; ready = produced.load()) produced.wait(ready);
      Chunk& chunk = chunks[mine % kChunks];
      if (chunk.count == 0) break;
      for (std::size_t i = 0; i < chunk.count && reading; ++i) reading = reader.Take(chunk.lines[i], index++);
      if (!reading) stop.store(true);
      take(!reading);
    }
  } catch (...) {
    stop.store(true);
    take(true);
    finder.join();
    throw;
  }
  // After the end of the program the finder may be waiting for room: stop lets it go.
  stop.store(true);
  take(true);
  finder.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace

namespace {

PlotProgram Reserved(std::string_view text) {
  PlotProgram out;
  // One pass to count lines spares the vectors their growing copies; the moves' room is
  // only touched as it fills. A line makes one move at most, so the room never runs out: on
  // a file of stacked moves, growing would copy hundreds of megabytes and hold twice as many.
  const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  out.lineStarts.reserve(lines);
  out.moves.reserve(lines);
  return out;
}

}  // namespace

PlotProgram ReadProgram(std::string_view text) {
  if (text.size() < kTwoThreadsFrom || std::thread::hardware_concurrency() < 2) return ReadProgramOnOneThread(text);
  PlotProgram out = Reserved(text);
  ReadOnTwoThreads(text, out);
  return out;
}

PlotProgram ReadProgramOnOneThread(std::string_view text) {
  PlotProgram out = Reserved(text);
  Parser parser;
  Reader reader(out);
  ParsedLine parsed;
  bool reading = true;
  std::size_t start = 0;
  std::uint32_t index = 0;
  while (start < text.size()) {
    const std::size_t stop = LineEnd(text, start);
    out.lineStarts.push_back(static_cast<std::uint32_t>(start));
    if (reading) {
      parser.Read(text.substr(start, stop - start), parsed);
      reading = reader.Take(parsed, index);
    }
    ++index;
    start = stop + 1;
  }
  return out;
}

}  // namespace talvo::plot
