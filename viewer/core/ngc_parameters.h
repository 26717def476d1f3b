// SPDX-License-Identifier: MIT
// The parameters of a running program, as rs274 keeps them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace talvo::plot {

/// A value only a running machine has (a HAL pin, an INI setting, a probe result): it flows
/// through expressions as a quiet NaN, so every sum with it is unknown too.
inline constexpr double kUnknownValue = std::numeric_limits<double>::quiet_NaN();

/// Names of named parameters, each turned into a small number once when its line is read.
class ParameterNames {
 public:
  /// `name` as written between < and >: case and blanks do not count.
  std::uint32_t Intern(std::string_view name);
  const std::string& Name(std::uint32_t id) const { return names_[id]; }
  bool IsGlobal(std::uint32_t id) const { return names_[id].front() == '_'; }
  std::size_t size() const { return names_.size(); }

 private:
  std::vector<std::string> names_;
  std::unordered_map<std::string, std::uint32_t> ids_;
};

/// Numbered #1-#5399, with #1-#30 held per call level; named local #<name> per call level and
/// global #<_name>. A named parameter is undefined until set, unless the machine alone knows it.
class ParameterStore {
 public:
  static constexpr int kMaxNumber = 5399;
  static constexpr int kLocalNumbers = 30;

  explicit ParameterStore(const ParameterNames& names);

  double Numbered(int n) const { return n <= kLocalNumbers ? frames_.back().numbers[n] : numbers_[n]; }
  void SetNumbered(int n, double v) { (n <= kLocalNumbers ? frames_.back().numbers[n] : numbers_[n]) = v; }
  /// False when the parameter was never set.
  bool Named(std::uint32_t id, double& v) const;
  void SetNamed(std::uint32_t id, double v);

  /// Where a global that was never set may still have a value, as the tool's position has:
  /// `live(id, v)` gives it, or returns false.
  void SetLive(std::function<bool(std::uint32_t, double&)> live) { live_ = std::move(live); }

  /// A global the program may read but not set, as rs274's own (#<_value>, #<_x>, ...).
  void SetReadOnly(std::uint32_t id) {
    if (readOnly_.size() <= id) readOnly_.resize(id + std::size_t{1}, 0);
    readOnly_[id] = 1;
  }
  bool IsReadOnly(std::uint32_t id) const { return id < readOnly_.size() && readOnly_[id]; }

  /// A call level: #1-#30 from `args` (the rest 0) and no named locals.
  void Enter(const double* args, int count);
  void Leave();
  std::size_t Depth() const { return frames_.size() - 1; }

 private:
  struct Frame {
    std::array<double, kLocalNumbers + 1> numbers{};
    std::vector<double> named;
    std::vector<std::uint8_t> set;
  };
  struct Slots {
    std::vector<double> value;
    std::vector<std::uint8_t> set;
  };

  const ParameterNames& names_;
  std::vector<double> numbers_;
  std::vector<Frame> frames_;
  Slots globals_;
  std::function<bool(std::uint32_t, double&)> live_;
  std::vector<std::uint8_t> readOnly_;
};

}  // namespace talvo::plot
