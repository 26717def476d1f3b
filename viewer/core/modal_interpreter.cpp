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
constexpr double kMillimetresPerInch = 25.4;

// Below this sine, asin by its series to the seventh power is exact to the last bit: the next
// term is under 1e-17 of the first.
constexpr double kSmallAngle = 1e-2;

double SmallAsin(double h) {
  const double h2 = h * h;
  return h * (1 + h2 * (1.0 / 6 + h2 * (3.0 / 40 + h2 * (15.0 / 336))));
}

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
  const char* TakeAxes(const ParsedBlock& block, std::uint32_t index);
  void Rapid(const PlotPoint& end, std::uint32_t index);
  void SetUnits(bool inch);
  // Sets the move's feed and pierce mark. An arc's turn, where its words give it, spares
  // finding it again from the centre.
  void Add(PlotMove& move, double arcTurn = kTurnUnknown);

  static constexpr double kTurnUnknown = -1;

  ModalState& state_;
  PlotProgram& out_;
};

const char* LineRun::Execute(const ParsedBlock& block, std::uint32_t index) {
  const bool axisWords = block.Has('X') || block.Has('Y') || block.Has('Z');
  // G28, G30, G43.1 and G92 take the axis words for themselves: the line's motion has none.
  const bool axes = axisWords && block.axisUse == -1;
  const bool motionCode = block.motion != -1 && block.motion != 80;
  if (block.axisUse != -1 && motionCode) return msg::kCodesClash;
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
    case 38: next = Motion::Probe; break;
    case 80: next = Motion::None; break;
    default: break;
  }
  if (axes && next == Motion::None) return msg::kNoMotionMode;

  // As in LinuxCNC, the line's modes take effect before its motion, and an arc's own mode once
  // its words are complete, even when its end then turns out to be out of reach. The line's
  // words are in the units it sets.
  if (block.units != -1) SetUnits(block.units == 20);
  if (block.Has('F')) {
    state_.feedUnknown = block.IsExpression('F');
    state_.feed = state_.feedUnknown ? kUnknownFeed : block.Get('F');
  }
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
  if (next == Motion::Probe && axes && (block.Has('X') || block.Has('Y'))) return msg::kZOnly;
  state_.motion = next;
  if (block.axisUse != -1) return TakeAxes(block, index);
  // Where a probe stops only the machine knows: the torch is taken to stay where it was.
  if (next == Motion::Probe || (!axes && !(arc && arcWords))) return nullptr;

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

// G28 and G30 go by rapids through the point the axis words give to the stored position of
// those axes (all axes when none is given), which is the machine's zero with a fresh parameter
// file; G92 on Z names the torch's height anew; G43.1 only sets an offset.
const char* LineRun::TakeAxes(const ParsedBlock& block, std::uint32_t index) {
  PlotPoint& at = state_.position;
  if (block.axisUse == 920) {
    if (!block.Has('Z') || block.Has('X') || block.Has('Y')) return msg::kZOnly;
    state_.offsetZ += at.z - block.Get('Z');
    at.z = block.Get('Z');
    return nullptr;
  }
  if (block.axisUse != 280 && block.axisUse != 300) return nullptr;
  const bool all = !block.Has('X') && !block.Has('Y') && !block.Has('Z');
  PlotPoint via = at;
  if (block.Has('X')) via.x = state_.incremental ? at.x + block.Get('X') : block.Get('X');
  if (block.Has('Y')) via.y = state_.incremental ? at.y + block.Get('Y') : block.Get('Y');
  if (block.Has('Z')) via.z = state_.incremental ? at.z + block.Get('Z') : block.Get('Z');
  Rapid(via, index);
  PlotPoint home = via;
  if (all || block.Has('X')) home.x = 0;
  if (all || block.Has('Y')) home.y = 0;
  if (all || block.Has('Z')) home.z = -state_.offsetZ;
  Rapid(home, index);
  return nullptr;
}

void LineRun::Rapid(const PlotPoint& end, std::uint32_t index) {
  PlotMove move;
  move.kind = MoveKind::Rapid;
  move.start = state_.position;
  move.end = end;
  move.line = index;
  Add(move);
  state_.position = end;
}

// As LinuxCNC, a change of units converts the position, the offset and the feed in effect.
void LineRun::SetUnits(bool inch) {
  if (!state_.jobUnitsFixed) out_.units = inch ? PlotUnits::Inch : PlotUnits::Millimetre;
  if (inch == state_.inch) return;
  state_.inch = inch;
  const double f = inch ? 1 / kMillimetresPerInch : kMillimetresPerInch;
  state_.position = {state_.position.x * f, state_.position.y * f, state_.position.z * f};
  state_.offsetZ *= f;
  if (state_.feed >= 0) state_.feed *= f;
}

const char* LineRun::Arc(const ParsedBlock& block, PlotPoint end, std::uint32_t index) {
  const bool hasIJ = block.Has('I') || block.Has('J');
  PlotMove move;
  move.kind = state_.motion == Motion::ArcCw ? MoveKind::ArcCw : MoveKind::ArcCcw;
  move.start = state_.position;
  move.end = end;
  move.line = index;
  const bool inch = state_.inch;
  const double radiusAllowance = inch ? kRadiusAllowanceInch : kRadiusAllowanceMm;
  if (hasIJ) {
    const double spiralAllowance = inch ? kSpiralAllowanceInch : kSpiralAllowanceMm;
    move.centreX = state_.position.x + block.Get('I');
    move.centreY = state_.position.y + block.Get('J');
    // Square roots of the sums, not hypot: words are held within a billion, far from where the
    // squares overflow, and hypot's care costs several times more on every arc of a sheet.
    const auto distance = [](double dx, double dy) { return std::sqrt(dx * dx + dy * dy); };
    const double r0 = distance(move.centreX - state_.position.x, move.centreY - state_.position.y);
    const double r1 = distance(move.centreX - end.x, move.centreY - end.y);
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
    double half = std::sqrt((midX - end.x) * (midX - end.x) + (midY - end.y) * (midY - end.y));
    if (half - r > radiusAllowance) return msg::kArcRadiusSmall;
    if (half / r > 1 - kTiny) half = r;  // a half circle written a little short
    // A positive radius takes the shorter way round, a negative one the longer: the centre
    // lies to the right of the chord for a short clockwise arc, to its left otherwise.
    // Without angles, as a sheet's slots have two such arcs each: the centre lies off the
    // chord's middle along its normal, by the other leg of the triangle of half chord and radius.
    const bool right = (state_.motion == Motion::ArcCw) == (radius > 0);
    const double dx = end.x - state_.position.x, dy = end.y - state_.position.y;
    const double chord = std::sqrt(dx * dx + dy * dy);
    const double along = half / r, leg = std::sqrt(std::max(1 - along * along, 0.0)), offset = r * leg / chord;
    move.centreX = midX + (right ? dy : -dy) * offset;
    move.centreY = midY + (right ? -dx : dx) * offset;
    // The turn follows from the same triangle: twice the angle the half chord spans at the
    // centre, the short way or the long. A slot's ends are half circles, or a rounding off
    // one: that angle is then a right angle less the small one the other leg spans.
    const double shortTurn = leg < kSmallAngle ? std::numbers::pi - 2 * SmallAsin(leg) : 2 * std::asin(along);
    Add(move, radius > 0 ? shortTurn : 2 * std::numbers::pi - shortTurn);
    return nullptr;
  }
  Add(move);
  return nullptr;
}

void LineRun::Add(PlotMove& move, double arcTurn) {
  move.feed = state_.feed;
  // The moves are kept in the units of the program's first move, so that its picture and
  // totals hold together across a change of units.
  if (!state_.jobUnitsFixed) {
    state_.jobUnitsFixed = true;
    out_.units = state_.inch ? PlotUnits::Inch : PlotUnits::Millimetre;
  }
  if (state_.inch != (out_.units == PlotUnits::Inch)) {
    const double f = state_.inch ? kMillimetresPerInch : 1 / kMillimetresPerInch;
    move.start = {move.start.x * f, move.start.y * f, move.start.z * f};
    move.end = {move.end.x * f, move.end.y * f, move.end.z * f};
    move.centreX *= f;
    move.centreY *= f;
    if (move.feed >= 0) move.feed *= f;
  }
  move.pierce = move.IsCut() && state_.lastWasRapid;
  if (move.pierce) out_.pierces.push_back(static_cast<std::uint32_t>(out_.moves.size()));
  state_.lastWasRapid = !move.IsCut();
  if (move.IsCut() && state_.feedUnknown) out_.feedUnknown = true;
  double length = 0;
  if (move.IsArc()) {
    // An arc that ends a rounding off its start is drawn as a whole turn, whatever its words say.
    if (arcTurn == kTurnUnknown || WholeTurn(move)) {
      length = MoveLength(move);
    } else {
      // Both ends of an R arc lie on its circle, by the centre's construction.
      const double r = ArcRadius(move);
      length = ArcLength(r, r, arcTurn, move.end.z - move.start.z);
    }
    out_.extents.Add(MoveBox(move));
  } else {
    // Straight moves are most of a program: their length and box without the general calls,
    // by the same sums.
    const double dx = move.end.x - move.start.x, dy = move.end.y - move.start.y, dz = move.end.z - move.start.z;
    length = std::sqrt(dx * dx + dy * dy + dz * dz);
    PlotExtents box;
    box.Add(move.start.x, move.start.y);
    box.Add(move.end.x, move.end.y);
    out_.extents.Add(box);
  }
  if (move.IsCut()) {
    out_.cutLength += length;
    out_.cutTiming.Add(length, move.feed, move.line);
  } else {
    out_.rapidLength += length;
  }
  // The list keeps ends only, each move starting where the last one ended: a change of units
  // leaves the converted start a rounding off that end, and G92 renames the height between
  // moves, so the tool's last end is the start it keeps.
  move.start = out_.moves.LastEnd();
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

bool ModalInterpreter::Take(ParsedLine& line, std::uint32_t index, bool again) {
  LineRun run(state_, out_);
  switch (line.kind) {
    case LineKind::Blank: return true;
    case LineKind::TooLong: run.Fail(index, msg::kLineTooLong, std::to_string(line.length)); return true;
    case LineKind::Percent:
      // As in LinuxCNC, a "%" before any code opens the program and the next one closes it;
      // any other is a character out of place.
      if (state_.percentOpened) return false;
      if (state_.sawCode) {
        run.Fail(index, msg::kBadCharacter, "%");
        return true;
      }
      state_.sawCode = state_.percentOpened = true;
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
  if (!again) run.NotePassed(block, index);
  return !block.end;
}

}  // namespace talvo::plot
