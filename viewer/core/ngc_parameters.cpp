// SPDX-License-Identifier: MIT
#include "ngc_parameters.h"

#include "gcode_numbers.h"

namespace talvo::plot {

std::uint32_t ParameterNames::Intern(std::string_view name) {
  std::string key;
  for (const char c : name) {
    if (c != ' ' && c != '\t') key += AsciiLower(c);
  }
  if (key.empty()) key.push_back(' ');  // never a real name, so that Name() is never empty
  const auto [it, added] = ids_.emplace(key, static_cast<std::uint32_t>(names_.size()));
  if (added) names_.push_back(key);
  return it->second;
}

namespace {

// Probe results, which only a machine that probed has.
constexpr int kProbeFirst = 5061, kProbeLast = 5070;
// The coordinate system in use: G54 in a fresh variable file.
constexpr int kCoordinateSystem = 5220;

bool MachineOnly(const std::string& name) { return name.starts_with("_hal[") || name.starts_with("_ini["); }

}  // namespace

ParameterStore::ParameterStore(const ParameterNames& names) : names_(names), numbers_(kMaxNumber + 1, 0.0), frames_(1) {
  for (int n = kProbeFirst; n <= kProbeLast; ++n) numbers_[n] = kUnknownValue;
  numbers_[kCoordinateSystem] = 1;
}

bool ParameterStore::Named(std::uint32_t id, double& v) const {
  const bool global = names_.IsGlobal(id);
  const auto& value = global ? globals_.value : frames_.back().named;
  const auto& set = global ? globals_.set : frames_.back().set;
  if (id < set.size() && set[id]) {
    v = value[id];
    return true;
  }
  if (global && MachineOnly(names_.Name(id))) {
    v = kUnknownValue;
    return true;
  }
  return global && live_ && live_(id, v);
}

void ParameterStore::SetNamed(std::uint32_t id, double v) {
  const bool global = names_.IsGlobal(id);
  auto& value = global ? globals_.value : frames_.back().named;
  auto& set = global ? globals_.set : frames_.back().set;
  if (id >= set.size()) {
    value.resize(names_.size(), 0.0);
    set.resize(names_.size(), 0);
  }
  value[id] = v;
  set[id] = 1;
}

void ParameterStore::Enter(const double* args, int count) {
  Frame frame;
  for (int i = 0; i < count && i < kLocalNumbers; ++i) frame.numbers[static_cast<std::size_t>(i) + 1] = args[i];
  frames_.push_back(std::move(frame));
}

void ParameterStore::Leave() {
  if (frames_.size() > 1) frames_.pop_back();
}

}  // namespace talvo::plot
