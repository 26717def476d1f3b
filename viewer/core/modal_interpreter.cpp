// SPDX-License-Identifier: MIT
#include "modal_interpreter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <string_view>
#include <utility>

#include "arc_geometry.h"
#include "plot_messages.h"

namespace talvo::plot {

namespace {

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

// The steps of one line against the modes. They live in this file alone, so that the compiler
// can fold them into ModalInterpreter::Take, which runs for every line.
class LineRun {
 public:
  LineRun(ModalState& state, PlotProgram& out) : state_(state), out_(out) {}

  const char* Execute(const ParsedBlock& block, std::uint32_t index);
  void Fail(std::uint32_t index, const char* reason, std::string_view detail = {});
  void NotePassed(const ParsedBlock& block, std::uint32_t index);

 private:
  using Motion = ModalState::Motion;

  const char* Arc(const ParsedBlock& block, PlotPoint end, std::uint32_t index);
  void Add(PlotMove& move);  // sets the move's feed and pierce mark

  ModalState& state_;
  PlotProgram& out_;
};

const char* LineRun::Execute(const ParsedBlock& block, std::uint32_t index) {
  const bool axes = block.Has('X') || block.Has('Y') || block.Has('Z');
  const bool centre = block.Has('I') || block.Has('J');
  const bool arcWords = centre || block.Has('R');
  const auto isArc = [](int code) { return code == 2 || code == 3; };
  // The motion this line runs, found as LinuxCNC finds it: its own, else the modal one when it
  // has axis words, or I J alone in an arc mode.
  const bool modalArc = state_.motion == Motion::ArcCw || state_.motion == Motion::ArcCcw;
  const bool arcLine = block.motion != -1 ? isArc(block.motion) : (axes || centre) && modalArc;
  if ((arcWords || block.Has('K')) && !arcLine) return msg::kWordNoUse;
  if (block.Has('P') && !arcLine && !block.dwell && !block.pathControl && !block.wordsM) return msg::kWordNoUse;
  if (block.plane == 18 || block.plane == 19) return msg::kPlaneUnsupported;
  Motion next = state_.motion;
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
    state_.feedUnknown = block.IsExpression('F');
    state_.feed = state_.feedUnknown ? kUnknownFeed : block.Get('F');
  }
  if (block.units != -1) out_.units = block.units == 20 ? PlotUnits::Inch : PlotUnits::Millimetre;
  if (block.distance != -1) state_.incremental = block.distance == 91;
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
  state_.motion = next;
  if (!axes && !(arc && arcWords)) return nullptr;

  PlotPoint end = state_.position;
  if (block.Has('X')) end.x = state_.incremental ? state_.position.x + block.Get('X') : block.Get('X');
  if (block.Has('Y')) end.y = state_.incremental ? state_.position.y + block.Get('Y') : block.Get('Y');
  if (block.Has('Z')) end.z = state_.incremental ? state_.position.z + block.Get('Z') : block.Get('Z');
  if (arc) {
    if (const char* why = Arc(block, end, index)) return why;
  } else {
    PlotMove move;
    move.kind = state_.motion == Motion::Rapid ? MoveKind::Rapid : MoveKind::Feed;
    move.start = state_.position;
    move.end = end;
    move.line = index;
    Add(move);
  }
  state_.position = end;
  return nullptr;
}

const char* LineRun::Arc(const ParsedBlock& block, PlotPoint end, std::uint32_t index) {
  const bool hasIJ = block.Has('I') || block.Has('J');
  PlotMove move;
  move.kind = state_.motion == Motion::ArcCw ? MoveKind::ArcCw : MoveKind::ArcCcw;
  move.start = state_.position;
  move.end = end;
  move.line = index;
  const bool inch = out_.units == PlotUnits::Inch;
  const double radiusAllowance = inch ? kRadiusAllowanceInch : kRadiusAllowanceMm;
  if (hasIJ) {
    const double spiralAllowance = inch ? kSpiralAllowanceInch : kSpiralAllowanceMm;
    move.centreX = state_.position.x + block.Get('I');
    move.centreY = state_.position.y + block.Get('J');
    const double r0 = std::hypot(move.centreX - state_.position.x, move.centreY - state_.position.y);
    const double r1 = std::hypot(move.centreX - end.x, move.centreY - end.y);
    if (r0 < radiusAllowance || r1 < radiusAllowance) return msg::kArcRadiusZero;
    const double off = std::abs(r0 - r1);
    if (off > 100 * spiralAllowance || (off / std::max(r0, r1) > kSpiralRelative && off > spiralAllowance))
      return msg::kArcEndOff;
  } else {
    const double radius = block.Get('R');
    const double r = std::abs(radius);
    if (end.x == state_.position.x && end.y == state_.position.y) return msg::kArcFullWithR;
    // LinuxCNC takes R0 for a half circle whose centre it cannot compute; the viewer refuses it.
    if (r == 0) return msg::kArcRadiusZero;
    const double midX = (state_.position.x + end.x) / 2;
    const double midY = (state_.position.y + end.y) / 2;
    double half = std::hypot(midX - end.x, midY - end.y);
    if (half - r > radiusAllowance) return msg::kArcRadiusSmall;
    if (half / r > 1 - kTiny) half = r;  // a half circle written a little short
    // A positive radius takes the shorter way round, a negative one the longer: the centre
    // lies to the right of the chord for a short clockwise arc, to its left otherwise.
    const bool right = (state_.motion == Motion::ArcCw) == (radius > 0);
    const double chord = std::atan2(end.y - state_.position.y, end.x - state_.position.x);
    const double theta = chord + (right ? -std::numbers::pi / 2 : std::numbers::pi / 2);
    const double offset = r * std::cos(std::asin(half / r));
    move.centreX = midX + offset * std::cos(theta);
    move.centreY = midY + offset * std::sin(theta);
  }
  Add(move);
  return nullptr;
}

void LineRun::Add(PlotMove& move) {
  move.feed = state_.feed;
  move.pierce = move.IsCut() && state_.lastWasRapid;
  if (move.pierce) out_.pierces.push_back(static_cast<std::uint32_t>(out_.moves.size()));
  state_.lastWasRapid = !move.IsCut();
  if (move.IsCut() && state_.feedUnknown) out_.feedUnknown = true;
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

void LineRun::Fail(std::uint32_t index, const char* reason, std::string_view detail) {
  ++out_.errorCount;
  if (out_.errors.size() >= PlotProgram::kMaxKeptErrors) return;
  std::string text(reason);
  if (!detail.empty()) text.append(": ").append(detail);
  out_.errors.push_back({index, std::move(text)});
}

void LineRun::NotePassed(const ParsedBlock& block, std::uint32_t index) {
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

}  // namespace

bool ModalInterpreter::Take(ParsedLine& line, std::uint32_t index) {
  LineRun run(state_, out_);
  switch (line.kind) {
    case LineKind::Blank: return true;
    case LineKind::TooLong: run.Fail(index, msg::kLineTooLong, std::to_string(line.length)); return true;
    case LineKind::Percent:
      // A leading "%" opens the program; any later one closes it.
      if (state_.sawCode) return false;
      state_.sawCode = true;
      return true;
    case LineKind::Code: break;
  }
  state_.sawCode = true;
  ParsedBlock& block = line.block;
  const char* why = line.why;
  if (!why) why = run.Execute(block, index);
  if (why) {
    run.Fail(index, why);
    return true;
  }
  run.NotePassed(block, index);
  return !block.end;
}

}  // namespace talvo::plot
