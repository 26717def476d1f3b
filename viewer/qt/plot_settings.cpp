// SPDX-License-Identifier: MIT
#include "plot_settings.h"

#include <QSettings>
#include <QStringList>
#include <optional>

namespace talvo::plot {

namespace {

constexpr const char* kOrganisation = "TALVO-ZAVODO";
constexpr const char* kApplication = "talvo-plot";

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
  ReadViewerSettings([&store](const char* key) { return Kept(store, key); }, s);
  return s;
}

void PlotSettings::Save() const {
  QSettings store(kOrganisation, kApplication);
  for (const auto& [limits, value] : SettingNumbers(*this)) store.setValue(QString::fromLatin1(limits->key), *value);
  store.setValue(QString::fromLatin1(kShowKerfKey), showKerf);
}

}  // namespace talvo::plot
