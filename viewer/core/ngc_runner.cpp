// SPDX-License-Identifier: MIT
#include "ngc_runner.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "block_parser.h"
#include "modal_interpreter.h"
#include "ngc_line.h"
#include "ngc_messages.h"
#include "ngc_parameters.h"
#include "oword_program.h"
#include "parsed_block.h"
#include "plot_messages.h"

namespace talvo::plot {

namespace {

constexpr std::uint32_t kPlain = UINT32_MAX;
// Longer lines are left to the parser, which refuses them.
constexpr std::size_t kMaxLineLength = std::size_t{64} * 1024;
// Letters whose value places the tool: one the machine alone knows refuses the line.
constexpr const char* kPathLetters = "XYZIJKRPABCUVWxyzijkrpabcuvw";

std::size_t LineEnd(std::string_view text, std::size_t start) {
  const void* nl = std::memchr(text.data() + start, '\n', text.size() - start);
  return nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - text.data()) : text.size();
}

class NgcRunner {
 public:
  NgcRunner(std::string_view text, PlotProgram& out, const LanguageLimits& limits, ReadProgress* progress)
      : text_(text), out_(out), limits_(limits), progress_(progress), parameters_(names_), interpreter_(out) {}

  void Run();

 private:
  struct CallFrame {
    std::uint32_t back;   // the line after the call
    std::size_t repeats;  // repeat loops open when it was called
  };
  struct OpenRepeat {
    std::uint32_t line;
    std::int64_t left;
  };
  struct PendingAssignment {
    bool named;
    std::uint32_t target;
    double value;
  };

  void Load();
  std::string_view LineText(std::uint32_t line) const;
  bool Take(std::uint32_t line);     // the parsed line into the interpreter; false to stop
  bool Stopped(std::uint32_t line);  // tells the progress how far the run is; true when it is stopped
  bool RunWords(const NgcLine& line);
  bool RunOword(const NgcLine& line);
  bool Branch(const NgcLine& line);
  bool Call(const NgcLine& line);
  bool Leave(const NgcLine& line);
  bool Value(const NgcExpression& e, double& v);
  bool Condition(const NgcLine& line, double& v);
  void Fail(const char* why, const std::string& detail = {});
  const NgcLine& At(std::uint32_t source) const { return lines_[index_[source]]; }

  std::string_view text_;
  PlotProgram& out_;
  LanguageLimits limits_;
  ReadProgress* progress_;
  ParameterNames names_;
  ParameterStore parameters_;
  std::vector<std::uint32_t> index_;  // each file line's entry in lines_, or kPlain
  std::vector<bool> ran_;             // each file line handed to the interpreter before
  std::vector<NgcLine> lines_;
  std::unordered_map<std::string, std::uint32_t> subs_;
  BlockParser parser_;
  ModalInterpreter interpreter_;
  ParsedLine parsed_{};
  std::string buffer_;
  std::vector<PendingAssignment> pending_;
  std::vector<CallFrame> calls_;
  std::vector<OpenRepeat> repeats_;
  std::uint32_t pc_ = 0;
  std::uint32_t value_ = 0, valueReturned_ = 0;
};

void NgcRunner::Load() {
  for (std::size_t start = 0; start < text_.size();) {
    const std::size_t stop = LineEnd(text_, start);
    const std::string_view line = text_.substr(start, stop - start);
    out_.lineStarts.push_back(static_cast<std::uint32_t>(start));
    if (line.size() <= kMaxLineLength && MayUseLanguage(line)) {
      index_.push_back(static_cast<std::uint32_t>(lines_.size()));
      lines_.emplace_back();
      lines_.back().source = static_cast<std::uint32_t>(index_.size() - 1);
      ReadNgcLine(line, names_, lines_.back());
    } else {
      index_.push_back(kPlain);
    }
    start = stop + 1;
  }
  ran_.assign(index_.size(), false);
  subs_ = LinkOwords(lines_);
  value_ = names_.Intern("_value");
  valueReturned_ = names_.Intern("_value_returned");
  parameters_.SetNamed(value_, 0);
  parameters_.SetNamed(valueReturned_, 0);
  // rs274's read-only globals the reader knows: the tool's position and the units.
  const std::uint32_t x = names_.Intern("_x"), y = names_.Intern("_y"), z = names_.Intern("_z");
  const std::uint32_t metric = names_.Intern("_metric"), imperial = names_.Intern("_imperial");
  for (const std::uint32_t id : {value_, valueReturned_, x, y, z, metric, imperial}) parameters_.SetReadOnly(id);
  parameters_.SetLive([this, x, y, z, metric, imperial](std::uint32_t id, double& v) {
    const PlotPoint at = out_.moves.empty() ? PlotPoint{} : out_.moves.back().end;
    const bool inch = out_.units == PlotUnits::Inch;
    if (id == x)
      v = at.x;
    else if (id == y)
      v = at.y;
    else if (id == z)
      v = at.z;
    else if (id == metric)
      v = inch ? 0 : 1;
    else if (id == imperial)
      v = inch ? 1 : 0;
    else
      return false;
    return true;
  });
}

std::string_view NgcRunner::LineText(std::uint32_t line) const {
  const std::size_t start = out_.lineStarts[line];
  const std::size_t stop = line + 1 < out_.lineStarts.size() ? out_.lineStarts[line + 1] - 1 : LineEnd(text_, start);
  return text_.substr(start, stop - start);
}

void NgcRunner::Run() {
  Load();
  std::uint64_t blocks = 0;
  while (pc_ < index_.size()) {
    if (++blocks > limits_.blocks) return Fail(msg::kBlockLimit);
    if (blocks % 1024 == 0 && Stopped(pc_)) return;
    const std::uint32_t k = index_[pc_];
    if (k == kPlain) {
      parser_.Read(LineText(pc_), parsed_);
      if (!Take(pc_)) return;
      ++pc_;
      continue;
    }
    const NgcLine& line = lines_[k];
    if (line.why) {
      Fail(line.why);
      if (line.oword != Oword::None) return;  // where it would go next is unknown
      ++pc_;
      continue;
    }
    if (line.oword != Oword::None) {
      if (!RunOword(line)) return;
    } else {
      if (!RunWords(line)) return;
      ++pc_;
    }
  }
}

// A loop goes back over lines already read, so the progress is the furthest line reached.
bool NgcRunner::Stopped(std::uint32_t line) {
  if (!progress_) return false;
  const std::size_t at = out_.lineStarts[line];
  if (at > progress_->bytesRead.load(std::memory_order_relaxed))
    progress_->bytesRead.store(at, std::memory_order_relaxed);
  return progress_->Stopped();
}

bool NgcRunner::Take(std::uint32_t line) {
  const bool again = ran_[line];
  ran_[line] = true;
  const bool going = interpreter_.Take(parsed_, line, again);
  if (out_.moves.size() < limits_.moves) return going;
  Fail(msg::kMoveLimit);
  return false;
}

bool NgcRunner::Value(const NgcExpression& e, double& v) {
  NgcFailure failure;
  if (e.Evaluate(parameters_, names_, v, failure)) return true;
  Fail(failure.why, failure.detail);
  return false;
}

void NgcRunner::Fail(const char* why, const std::string& detail) {
  ++out_.errorCount;
  if (out_.errors.size() >= PlotProgram::kMaxKeptErrors) return;
  std::string text(why);
  if (!detail.empty()) text.append(": ").append(detail);
  out_.errors.push_back({pc_, std::move(text)});
}

// The line's words with their values written in, through the parser and the interpreter as any
// line; its assignments take effect after it, with values found before it ran. A value that
// cannot be found refuses the line, and the program goes on after it.
bool NgcRunner::RunWords(const NgcLine& line) {
  buffer_.clear();
  std::size_t from = 0;
  for (const ComputedWord& word : line.words) {
    buffer_.append(line.text, from, word.at - from);
    from = word.at;
    double v = 0;
    if (!Value(word.value, v)) return true;
    if (std::isnan(v)) {
      if (std::strchr(kPathLetters, word.letter)) return Fail(msg::kMachineValue, std::string(1, word.letter)), true;
      buffer_ += "[0]";  // the parser's mark of a value it cannot know: a feed so given is unknown
      continue;
    }
    char number[400];
    const auto written = std::to_chars(number, number + sizeof number, v, std::chars_format::fixed);
    if (written.ec != std::errc{} || !std::isfinite(v)) return Fail(msg::kNumberTooBig), true;
    buffer_.append(number, written.ptr);
  }
  buffer_.append(line.text, from);
  pending_.clear();
  for (const Assignment& a : line.assignments) {
    double v = 0, number = 0;
    int n = 0;
    if (!Value(a.value, v)) return true;
    if (!a.named && (!Value(a.number, number) || std::isnan(number) || !ParameterNumber(number, n)))
      return Fail(msg::kParameterNumber), true;
    if (a.named && parameters_.IsReadOnly(a.name))
      return Fail(msg::kParameterReadOnly, "#<" + names_.Name(a.name) + ">"), true;
    pending_.push_back({a.named, a.named ? a.name : static_cast<std::uint32_t>(n), v});
  }
  parser_.Read(buffer_, parsed_);
  if (!line.assignments.empty()) {
    if (parsed_.kind == LineKind::Blank) {
      parsed_.kind = LineKind::Code;
      parsed_.why = nullptr;
      parsed_.block = ParsedBlock{};
    }
    if (parsed_.kind == LineKind::Code && !parsed_.why) parsed_.block.Pass(msg::kPassedAssignment);
  }
  const bool readable = parsed_.kind != LineKind::Code || !parsed_.why;
  const bool going = Take(pc_);
  if (readable) {
    for (const PendingAssignment& a : pending_) {
      if (a.named)
        parameters_.SetNamed(a.target, a.value);
      else
        parameters_.SetNumbered(static_cast<int>(a.target), a.value);
    }
  }
  return going;
}

bool NgcRunner::Condition(const NgcLine& line, double& v) {
  if (line.arguments.empty()) return Fail(msg::kNumberMissing), false;
  if (!Value(line.arguments[0], v)) return false;
  if (std::isnan(v)) return Fail(msg::kMachineValue), false;
  return true;
}

// Runs an o-word line and moves the program counter. False stops the program: where a control
// line whose value cannot be found would go is unknown.
bool NgcRunner::RunOword(const NgcLine& line) {
  double v = 0;
  switch (line.oword) {
    case Oword::Sub: pc_ = line.end + 1; return true;  // a definition is passed over where it stands
    case Oword::EndSub:
    case Oword::Return: return Leave(line);
    case Oword::Call: return Call(line);
    case Oword::If: return Branch(line);
    case Oword::ElseIf:
    case Oword::Else: pc_ = line.end + 1; return true;  // the branch before it ran
    case Oword::While:
      if (!Condition(line, v)) return false;
      pc_ = v != 0 ? pc_ + 1 : line.end + 1;
      return true;
    case Oword::EndWhile: pc_ = line.start; return true;
    case Oword::EndDo:
      if (!Condition(line, v)) return false;
      pc_ = v != 0 ? line.start + 1 : pc_ + 1;
      return true;
    case Oword::Repeat: {
      if (!Condition(line, v)) return false;
      const double count = std::nearbyint(v);
      if (count < 1) {
        pc_ = line.end + 1;
        return true;
      }
      repeats_.push_back({pc_, count > 1e18 ? INT64_MAX : static_cast<std::int64_t>(count)});
      ++pc_;
      return true;
    }
    case Oword::EndRepeat:
      if (!repeats_.empty() && repeats_.back().line == line.start && --repeats_.back().left > 0) {
        pc_ = line.start + 1;
      } else {
        if (!repeats_.empty() && repeats_.back().line == line.start) repeats_.pop_back();
        ++pc_;
      }
      return true;
    case Oword::Break:
    case Oword::Continue: {
      const NgcLine& loop = At(line.start);
      if (line.oword == Oword::Continue) {
        pc_ = loop.oword == Oword::While ? loop.source : loop.end;
        return true;
      }
      pc_ = loop.end + 1;
      return true;
    }
    default: ++pc_; return true;  // do, endif
  }
}

// An if and its elseif branches, tested in turn; the first that holds runs, else the else.
bool NgcRunner::Branch(const NgcLine& line) {
  double v = 0;
  if (!Condition(line, v)) return false;
  if (v != 0) {
    ++pc_;
    return true;
  }
  for (std::uint32_t next = line.next;;) {
    const NgcLine& branch = At(next);
    if (branch.oword != Oword::ElseIf) {
      pc_ = next + 1;
      return true;
    }
    pc_ = next;  // a refusal names the elseif's own line
    if (!Condition(branch, v)) return false;
    if (v != 0) {
      pc_ = next + 1;
      return true;
    }
    next = branch.next;
  }
}

bool NgcRunner::Call(const NgcLine& line) {
  const auto sub = subs_.find(line.label);
  if (sub == subs_.end()) {
    Fail(msg::kSubroutineMissing, "o" + line.label);
    ++pc_;
    return true;
  }
  if (calls_.size() >= limits_.depth) return Fail(msg::kDepthLimit), false;
  double args[ParameterStore::kLocalNumbers] = {};
  const int count = static_cast<int>(line.arguments.size());
  for (int i = 0; i < count; ++i) {
    if (!Value(line.arguments[static_cast<std::size_t>(i)], args[i])) {
      ++pc_;
      return true;
    }
  }
  calls_.push_back({pc_ + 1, repeats_.size()});
  parameters_.Enter(args, count);
  pc_ = sub->second + 1;
  return true;
}

// A return or endsub: its value, if any, goes to #<_value> for the caller.
bool NgcRunner::Leave(const NgcLine& line) {
  if (calls_.empty()) return Fail(msg::kOwordUnmatched), false;
  double v = 0;
  if (!line.arguments.empty() && !Value(line.arguments[0], v)) return false;
  parameters_.SetNamed(value_, v);
  parameters_.SetNamed(valueReturned_, line.arguments.empty() ? 0 : 1);
  const CallFrame frame = calls_.back();
  calls_.pop_back();
  repeats_.resize(frame.repeats);
  parameters_.Leave();
  pc_ = frame.back;
  return true;
}

}  // namespace

LanguageLimits& ProgramLanguageLimits() {
  static LanguageLimits limits;
  return limits;
}

void ReadWithLanguage(std::string_view text, PlotProgram& out, const LanguageLimits& limits, ReadProgress* progress) {
  NgcRunner runner(text, out, limits, progress);
  runner.Run();
  if (progress) progress->bytesRead.store(text.size(), std::memory_order_relaxed);
  out.IndexRepeatedLines();
}

}  // namespace talvo::plot
