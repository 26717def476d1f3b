// SPDX-License-Identifier: MIT
#include "setting_limits.h"

#include <charconv>
#include <cmath>

namespace talvo::plot {

namespace {

constexpr std::size_t kLongestShownValue = 40;

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && Blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && Blank(text.back())) text.remove_suffix(1);
  return text;
}

// At most kLongestShownValue bytes, cut before a UTF-8 character rather than inside one.
std::string Shortened(std::string_view text) {
  if (text.size() <= kLongestShownValue) return std::string(text);
  std::size_t end = kLongestShownValue;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end)) + "…";
}

}  // namespace

bool SettingLimits::Allows(double value) const { return std::isfinite(value) && value >= least && value <= most; }

double SettingLimits::BoxLeast() const {
  const double step = std::pow(10.0, decimals);
  return std::ceil(least * step) / step;
}

std::optional<double> CheckedSetting(const SettingLimits& limits, std::string_view text) {
  text = Trimmed(text);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (!limits.Allows(value)) return std::nullopt;
  return value;
}

std::optional<bool> CheckedSwitch(std::string_view text) {
  text = Trimmed(text);
  if (text == "true" || text == "1") return true;
  if (text == "false" || text == "0") return false;
  return std::nullopt;
}

std::string IgnoredSettingNote(const char* name, std::string_view kept, std::string_view used) {
  return std::string("SAKLANAN AYAR YOK SAYILDI: ") + name + ": " + Shortened(kept) + " (İLK DEĞER " +
         std::string(used) + " KULLANILDI)";
}

}  // namespace talvo::plot
