// SPDX-License-Identifier: MIT
// The values each viewer setting may take. One table serves the tool-bar boxes (they allow
// nothing else), the kept settings (a value outside falls back to its default, so a bad file can
// never stop the viewer) and the command line (it refuses the value).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvo::plot {

struct SettingLimits {
  const char* key;   ///< its name in the settings file
  const char* name;  ///< its name in the window's notes
  double least;      ///< the smallest value allowed
  double most;       ///< the largest value allowed
  int decimals;      ///< shown in its box

  bool Allows(double value) const;
  /// The smallest value its box can show: `least` rounded up to the box's decimals.
  double BoxLeast() const;
};

inline constexpr SettingLimits kRapidRateLimits{"rapidRate", "BOŞ HAREKET HIZI", 0.001, 1e6, 0};
inline constexpr SettingLimits kPierceDelayLimits{"pierceDelay", "DELME BEKLEMESİ", 0, 3600, 2};
inline constexpr SettingLimits kSheetXLimits{"sheetX", "SAC X", 0.001, 1e5, 0};
inline constexpr SettingLimits kSheetYLimits{"sheetY", "SAC Y", 0.001, 1e5, 0};
inline constexpr SettingLimits kSheetOriginXLimits{"sheetOriginX", "SIFIR X", 0, 1e5, 0};
inline constexpr SettingLimits kSheetOriginYLimits{"sheetOriginY", "SIFIR Y", 0, 1e5, 0};
inline constexpr SettingLimits kKerfLimits{"kerf", "KERF", 0, 100, 2};
inline constexpr const char* kShowKerfKey = "showKerf";
inline constexpr const char* kShowKerfName = "KERF GÖSTER";

/// The number `text` holds, read in full as the C locale writes it (surrounding blanks and a
/// leading '+' allowed, no hexadecimal); nullopt when it holds none or one outside `limits`.
std::optional<double> CheckedSetting(const SettingLimits& limits, std::string_view text);
/// "true"/"false" (or 1/0), as the settings file keeps a switch; nullopt for anything else.
std::optional<bool> CheckedSwitch(std::string_view text);

/// The note shown when a kept value is ignored: the setting, the value (shortened when long)
/// and the default used in its place.
std::string IgnoredSettingNote(const char* name, std::string_view kept, std::string_view used);

}  // namespace talvo::plot
