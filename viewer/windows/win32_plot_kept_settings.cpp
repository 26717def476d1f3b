// SPDX-License-Identifier: MIT
#include "win32_plot_kept_settings.h"

#include "win32_plot_windows_h.h"

#include <array>
#include <charconv>
#include <optional>
#include <utility>

#include "plot_command_line.h"
#include "setting_limits.h"
#include "short_number.h"
#include "text_conversion.h"

namespace talvo::plot {
namespace {

// The text kept under `name`; a value kept as anything but text reads as empty, so it is noted.
std::optional<std::string> Kept(HKEY key, const char* name) {
  const std::wstring wideName = win::Wide(name);
  DWORD type = 0, bytes = 0;
  if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_SZ) return std::string();
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
      ERROR_SUCCESS)
    return std::string();
  text.resize(wcsnlen(text.c_str(), text.size()));
  return win::Utf8(text);
}

void Keep(HKEY key, const char* name, const std::string& text) {
  const std::wstring wideName = win::Wide(name), wideText = win::Wide(text);
  RegSetValueExW(key, wideName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wideText.c_str()),
                 static_cast<DWORD>((wideText.size() + 1) * sizeof(wchar_t)));
}

// The shortest text that reads back as the same number.
std::string Exact(double value) {
  std::array<char, 32> text{};
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() ? std::string(text.data(), end) : ShortNumber(value);
}

}  // namespace

KeptPlotSettings KeptPlotSettings::Load() {
  KeptPlotSettings s;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeptSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return s;
  ReadViewerSettings([key](const char* name) { return Kept(key, name); }, s);
  RegCloseKey(key);
  return s;
}

void KeptPlotSettings::Save() const {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kKeptSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  for (const auto& [limits, value] : SettingNumbers(*this)) Keep(key, limits->key, Exact(*value));
  Keep(key, kShowKerfKey, showKerf ? "true" : "false");
  RegCloseKey(key);
}

KeptPlotSettings SettingsForRun(const PlotCommandLine& asked) {
  KeptPlotSettings settings = KeptPlotSettings::Load();
  settings.job.rapidRate = asked.rapidRate.value_or(settings.job.rapidRate);
  settings.job.pierceDelay = asked.pierceDelay.value_or(settings.job.pierceDelay);
  return settings;
}

}  // namespace talvo::plot
