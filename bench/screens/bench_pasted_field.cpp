// SPDX-License-Identifier: MIT
// A 10 MB text pasted into a field of a real cut screen, then "G KOD": the whole press as the
// operator has it, paste and run. The window must not freeze; the goal is 100 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "disk_files.h"
#include "lone_cut_screen.h"
#include "temp_root.h"

namespace {

using namespace talvo;

QString PastedDocument() {
  // A diameter followed by a whole document: the field reads 100 and stops at the first word.
  QString text = QStringLiteral("100 mm delik; kesim listesi:\n");
  const QString line = QStringLiteral("Parça 17, 2 adet, sac 4 mm, alev çapı 4, ilerleme 300\n");
  while (text.size() < (10 << 20)) text += line;
  return text;
}

void BM_PasteAndRun(benchmark::State& state) {
  test_support::TempRoot root;
  DiskFiles files;
  // No starter: a benchmark starts no viewer.
  test_support::LoneCutScreen screen(CutKind::InnerCircle, {root.Path(), &files, nullptr});
  auto* field = screen.Control<QLineEdit>("Text2");
  auto* box = screen.Control<QPlainTextEdit>("Text1");
  QApplication::clipboard()->setText(PastedDocument());
  for (auto _ : state) {
    field->clear();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QTest::mouseClick(screen.Control("KOD"), Qt::LeftButton);
    if (!box->toPlainText().startsWith(QStringLiteral("G0X0Y0\nG0Y-48\nG1Y-48F300\n"))) {
      state.SkipWithError("the run did not complete");
    }
  }
}
BENCHMARK(BM_PasteAndRun)->Unit(benchmark::kMillisecond);

}  // namespace
