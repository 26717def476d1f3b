// SPDX-License-Identifier: MIT
#include "program_lines_model.h"

#include <QColor>
#include <algorithm>

namespace talvo::plot {

namespace {

// A row shows at most this much of its line; a longer line is cut with an ellipsis.
constexpr std::size_t kShownChars = 400;

}  // namespace

void ProgramLinesModel::SetPlot(const LoadedPlot* plot) {
  beginResetModel();
  plot_ = plot;
  endResetModel();
}

int ProgramLinesModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !plot_) return 0;
  return static_cast<int>(plot_->program.lineStarts.size());
}

const PlotError* ProgramLinesModel::ErrorOf(int row) const {
  const auto& errors = plot_->program.errors;
  const auto it = std::lower_bound(errors.begin(), errors.end(), static_cast<std::uint32_t>(row),
                                   [](const PlotError& e, std::uint32_t r) { return e.line < r; });
  return it != errors.end() && it->line == static_cast<std::uint32_t>(row) ? &*it : nullptr;
}

QVariant ProgramLinesModel::data(const QModelIndex& index, int role) const {
  if (!plot_ || !index.isValid() || index.row() >= rowCount()) return {};
  const int row = index.row();
  switch (role) {
    case Qt::DisplayRole: {
      const auto& starts = plot_->program.lineStarts;
      const std::size_t from = starts[row];
      std::size_t to = row + 1 < static_cast<int>(starts.size()) ? starts[row + 1] : plot_->text.size();
      while (to > from && (plot_->text[to - 1] == '\n' || plot_->text[to - 1] == '\r')) --to;
      const bool cut = to - from > kShownChars;
      QString text =
          QString::fromUtf8(plot_->text.data() + from, static_cast<qsizetype>(std::min(to - from, kShownChars)));
      if (cut) text += QChar(0x2026);
      return QStringLiteral("%1  %2").arg(row + 1, 6).arg(text);
    }
    case Qt::ForegroundRole: return ErrorOf(row) ? QVariant(QColor(200, 0, 0)) : QVariant();
    case Qt::ToolTipRole:
      if (const auto* e = ErrorOf(row)) return QString::fromStdString(e->reason);
      return {};
    default: return {};
  }
}

}  // namespace talvo::plot
