// SPDX-License-Identifier: MIT
#include "viewer_settings.h"

#include "short_number.h"

namespace talvo::plot {

void ReadViewerSettings(const KeptText& kept, ViewerSettings& s) {
  for (const auto& [limits, value] : SettingNumbers(s)) {
    const std::optional<std::string> text = kept(limits->key);
    if (!text) continue;
    if (const std::optional<double> checked = CheckedSetting(*limits, *text))
      *value = *checked;
    else
      s.ignored.push_back(IgnoredSettingNote(limits->name, *text, ShortNumber(*value)));
  }
  if (const std::optional<std::string> text = kept(kShowKerfKey)) {
    if (const std::optional<bool> checked = CheckedSwitch(*text))
      s.showKerf = *checked;
    else
      s.ignored.push_back(IgnoredSettingNote(kShowKerfName, *text, s.showKerf ? "true" : "false"));
  }
}

}  // namespace talvo::plot
