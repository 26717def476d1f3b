// SPDX-License-Identifier: MIT
#include "oword_program.h"

#include "ngc_messages.h"

namespace talvo::plot {

namespace {

struct Open {
  std::size_t line;                   // into lines
  std::vector<std::size_t> branches;  // an if's if, elseif and else lines
};

// As rs274, break and continue belong to while and do loops; in a repeat they are refused.
bool IsLoop(Oword k) { return k == Oword::While || k == Oword::Do; }

class Linker {
 public:
  explicit Linker(std::vector<NgcLine>& lines) : lines_(lines) {}
  void Take(std::size_t i);
  void Finish() {
    for (const Open& o : open_) lines_[o.line].why = msg::kOwordUnmatched;
  }
  std::unordered_map<std::string, std::uint32_t> subs;

 private:
  // The innermost open block with `line`'s label, when it is of kind `kind`.
  Open* Top(std::size_t i, Oword kind) {
    if (open_.empty()) return nullptr;
    Open& top = open_.back();
    const NgcLine& o = lines_[top.line];
    return o.oword == kind && o.label == lines_[i].label ? &top : nullptr;
  }
  void Close(std::size_t i, Oword opener) {
    Open* o = Top(i, opener);
    if (!o) {
      lines_[i].why = msg::kOwordUnmatched;
      return;
    }
    NgcLine& head = lines_[o->line];
    head.end = lines_[i].source;
    lines_[i].start = head.source;
    for (const std::size_t b : o->branches) lines_[b].end = lines_[i].source;
    open_.pop_back();
  }

  std::vector<NgcLine>& lines_;
  std::vector<Open> open_;
};

void Linker::Take(std::size_t i) {
  NgcLine& line = lines_[i];
  switch (line.oword) {
    case Oword::Sub:
    case Oword::While:
      if (line.oword == Oword::While && Top(i, Oword::Do)) {  // the end of a do loop
        Close(i, Oword::Do);
        line.oword = Oword::EndDo;
        break;
      }
      [[fallthrough]];
    case Oword::Do:
    case Oword::Repeat:
    case Oword::If: open_.push_back({i, {i}}); break;
    case Oword::ElseIf:
    case Oword::Else: {
      Open* o = Top(i, Oword::If);
      if (!o) {
        line.why = msg::kOwordUnmatched;
        break;
      }
      lines_[o->branches.back()].next = line.source;
      o->branches.push_back(i);
      break;
    }
    case Oword::EndIf: {
      Open* o = Top(i, Oword::If);
      if (o) lines_[o->branches.back()].next = line.source;
      Close(i, Oword::If);
      break;
    }
    case Oword::EndSub:
      Close(i, Oword::Sub);
      if (!line.why) subs[line.label] = line.start;
      break;
    case Oword::EndWhile: Close(i, Oword::While); break;
    case Oword::EndRepeat: Close(i, Oword::Repeat); break;
    case Oword::Break:
    case Oword::Continue: {
      line.why = msg::kOwordUnmatched;
      for (auto o = open_.rbegin(); o != open_.rend() && lines_[o->line].oword != Oword::Sub; ++o) {
        if (IsLoop(lines_[o->line].oword) && lines_[o->line].label == line.label) {
          line.start = lines_[o->line].source;
          line.why = nullptr;
          break;
        }
      }
      break;
    }
    default: break;
  }
}

}  // namespace

std::unordered_map<std::string, std::uint32_t> LinkOwords(std::vector<NgcLine>& lines) {
  Linker linker(lines);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].oword != Oword::None && !lines[i].why) linker.Take(i);
  }
  linker.Finish();
  return std::move(linker.subs);
}

}  // namespace talvo::plot
