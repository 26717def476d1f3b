// SPDX-License-Identifier: MIT
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include "launcher_starter.h"
#include "messages.h"

namespace talvo::platform {
namespace {

/// The viewer program: TALVO_VIEWER when set, else talvo-plot beside this program, else on PATH.
QString ViewerProgram() {
  QString chosen = qEnvironmentVariable("TALVO_VIEWER");
  if (!chosen.isEmpty()) return chosen;
  QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("talvo-plot"));
  if (QFileInfo(beside).isExecutable()) return beside;
  return QStandardPaths::findExecutable(QStringLiteral("talvo-plot"));
}

class ViewerStarter final : public LauncherStarter {
 public:
  std::optional<std::string> Start(const RunPaths& paths) override {
    const QString program = ViewerProgram();
    if (program.isEmpty()) return std::string(msg::kViewerNotFound);
    const auto u8 = paths.programFile.u8string();
    const QString file = QString::fromUtf8(reinterpret_cast<const char*>(u8.data()), static_cast<qsizetype>(u8.size()));
    // Started on its own, without a shell; the run neither waits for it nor keeps its id.
    QProcess process;
    process.setProgram(program);
    process.setArguments({file});
    if (!process.startDetached()) {
      return (program + QStringLiteral(": ") + process.errorString()).toStdString();
    }
    return std::nullopt;
  }
};

}  // namespace

std::unique_ptr<LauncherStarter> MakeLauncherStarter() { return std::make_unique<ViewerStarter>(); }

}  // namespace talvo::platform
