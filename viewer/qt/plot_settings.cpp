// SPDX-License-Identifier: MIT
#include "plot_settings.h"

#include <QSettings>
#include <QStringList>
#include <array>
#include <optional>
#include <utility>

#include "setting_limits.h"
#include "short_number.h"

namespace talvo::plot {

namespace {

constexpr const char* kOrganisation = "TALVO-ZAVODO";
constexpr const char* kApplication = "talvo-plot";

// Each number kept, beside the values it may take; for Load and Save alike.
template <typename Settings>
auto Numbers(Settings& s) {
  return std::array{std::pair{&kRapidRateLimits, &s.job.rapidRate},
                    std::pair{&kPierceDelayLimits, &s.job.pierceDelay},
                    std::pair{&kSheetXLimits, &s.job.sheetX},
                    std::pair{&kSheetYLimits, &s.job.sheetY},
                    std::pair{&kSheetOriginXLimits, &s.job.sheetOriginX},
                    std::pair{&kSheetOriginYLimits, &s.job.sheetOriginY},
                    std::pair{&kKerfLimits, &s.kerf}};
}

// The kept text of `key`; a value the file holds as a list ("1, 2") is joined back as written.
std::optional<std::string> Kept(const QSettings& store, const char* key) {
  const QVariant value = store.value(QString::fromLatin1(key));
  if (!value.isValid()) return std::nullopt;
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QStringLiteral(", ")).toStdString();
  return value.toString().toStdString();
}

}  // namespace

PlotSettings PlotSettings::Load() {
  PlotSettings s;
  const QSettings store(kOrganisation, kApplication);
  for (const auto& [limits, value] : Numbers(s)) {
    const std::optional<std::string> kept = Kept(store, limits->key);
    if (!kept) continue;
    if (const std::optional<double> checked = CheckedSetting(*limits, *kept))
      *value = *checked;
    else
      s.ignored.push_back(IgnoredSettingNote(limits->name, *kept, ShortNumber(*value)));
  }
  if (const std::optional<std::string> kept = Kept(store, kShowKerfKey)) {
    if (const std::optional<bool> checked = CheckedSwitch(*kept))
      s.showKerf = *checked;
    else
      s.ignored.push_back(IgnoredSettingNote(kShowKerfName, *kept, s.showKerf ? "true" : "false"));
  }
  return s;
}

void PlotSettings::Save() const {
  QSettings store(kOrganisation, kApplication);
  for (const auto& [limits, value] : Numbers(*this)) store.setValue(QString::fromLatin1(limits->key), *value);
  store.setValue(QString::fromLatin1(kShowKerfKey), showKerf);
}

}  // namespace talvo::plot
