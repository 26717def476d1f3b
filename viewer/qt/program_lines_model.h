// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractListModel>

#include "loaded_plot.h"

namespace talvo::plot {

/// The program text, one row a source line with its number, the unreadable ones in red with
/// the reason as their tip. Rows are made when shown, so a million lines cost no more than
/// the few on screen.
class ProgramLinesModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  /// `plot` is kept by the caller, alive until the next call; nullptr empties the model.
  void SetPlot(const LoadedPlot* plot);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  const PlotError* ErrorOf(int row) const;

  const LoadedPlot* plot_ = nullptr;
};

}  // namespace talvo::plot
