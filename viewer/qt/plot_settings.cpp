// SPDX-License-Identifier: MIT
#include "plot_settings.h"

#include <QSettings>

namespace talvo::plot {

PlotSettings PlotSettings::Load() {
  PlotSettings s;
  const QSettings store(QStringLiteral("TALVO-ZAVODO"), QStringLiteral("talvo-plot"));
  s.job.rapidRate = store.value(QStringLiteral("rapidRate"), s.job.rapidRate).toDouble();
  s.job.pierceDelay = store.value(QStringLiteral("pierceDelay"), s.job.pierceDelay).toDouble();
  s.job.sheetX = store.value(QStringLiteral("sheetX"), s.job.sheetX).toDouble();
  s.job.sheetY = store.value(QStringLiteral("sheetY"), s.job.sheetY).toDouble();
  s.job.sheetOriginX = store.value(QStringLiteral("sheetOriginX"), s.job.sheetOriginX).toDouble();
  s.job.sheetOriginY = store.value(QStringLiteral("sheetOriginY"), s.job.sheetOriginY).toDouble();
  s.kerf = store.value(QStringLiteral("kerf"), s.kerf).toDouble();
  s.showKerf = store.value(QStringLiteral("showKerf"), s.showKerf).toBool();
  return s;
}

void PlotSettings::Save() const {
  QSettings store(QStringLiteral("TALVO-ZAVODO"), QStringLiteral("talvo-plot"));
  store.setValue(QStringLiteral("rapidRate"), job.rapidRate);
  store.setValue(QStringLiteral("pierceDelay"), job.pierceDelay);
  store.setValue(QStringLiteral("sheetX"), job.sheetX);
  store.setValue(QStringLiteral("sheetY"), job.sheetY);
  store.setValue(QStringLiteral("sheetOriginX"), job.sheetOriginX);
  store.setValue(QStringLiteral("sheetOriginY"), job.sheetOriginY);
  store.setValue(QStringLiteral("kerf"), kerf);
  store.setValue(QStringLiteral("showKerf"), showKerf);
}

}  // namespace talvo::plot
