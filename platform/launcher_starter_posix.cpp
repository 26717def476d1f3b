// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "launcher_starter.h"
#include "messages.h"

namespace talvo::platform {
namespace {

bool IsExecutableFile(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::filesystem::path OnPath(std::string_view name) {
  const char* path = std::getenv("PATH");
  std::string_view folders = path ? path : "";
  while (!folders.empty()) {
    const auto end = folders.find(':');
    const std::string_view folder = folders.substr(0, end);
    // Only absolute folders: a relative one would depend on where the program was started.
    if (!folder.empty() && folder.front() == '/') {
      auto candidate = std::filesystem::path(folder) / name;
      if (IsExecutableFile(candidate)) return candidate;
    }
    if (end == std::string_view::npos) break;
    folders.remove_prefix(end + 1);
  }
  return {};
}

/// The viewer program: TALVO_VIEWER when set, else talvo-plot beside this program, else on PATH.
std::filesystem::path ViewerProgram() {
  if (const char* chosen = std::getenv("TALVO_VIEWER"); chosen && *chosen) return chosen;
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    auto beside = self.parent_path() / "talvo-plot";
    if (IsExecutableFile(beside)) return beside;
  }
  return OnPath("talvo-plot");
}

ssize_t ReadWhole(int fd, void* into, std::size_t size) {
  ssize_t got = 0;
  do {
    got = ::read(fd, into, size);
  } while (got < 0 && errno == EINTR);
  return got;
}

/// Starts the program on one argument in a session of its own, without waiting for it: an
/// intermediate child starts it and ends at once, so the viewer never lingers as our child.
/// A failed exec comes back through a pipe that a successful one closes.
std::optional<std::string> StartDetached(const std::filesystem::path& program, const std::string& argument) {
  std::string programText = program.string();
  std::string argumentText = argument;
  char* const argv[] = {programText.data(), argumentText.data(), nullptr};
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return std::string(std::strerror(errno));

  const pid_t middle = ::fork();
  if (middle < 0) {
    const int err = errno;
    ::close(report[0]);
    ::close(report[1]);
    return std::string(std::strerror(err));
  }
  if (middle == 0) {
    // Only async-signal-safe calls between fork and exec: the caller may have other threads.
    ::close(report[0]);
    ::setsid();
    const pid_t viewer = ::fork();
    if (viewer == 0) {
      ::execvp(argv[0], argv);
      const int err = errno;
      [[maybe_unused]] const ssize_t written = ::write(report[1], &err, sizeof err);
      ::_exit(127);
    }
    if (viewer < 0) {
      const int err = errno;
      [[maybe_unused]] const ssize_t written = ::write(report[1], &err, sizeof err);
    }
    ::_exit(0);
  }

  ::close(report[1]);
  int status = 0;
  while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  int err = 0;
  const ssize_t got = ReadWhole(report[0], &err, sizeof err);
  ::close(report[0]);
  if (got == static_cast<ssize_t>(sizeof err)) return programText + ": " + std::strerror(err);
  return std::nullopt;
}

class ViewerStarter final : public LauncherStarter {
 public:
  std::optional<std::string> Start(const RunPaths& paths) override {
    const auto program = ViewerProgram();
    if (program.empty()) return std::string(msg::kViewerNotFound);
    // Started on its own, without a shell; the run neither waits for it nor keeps its id.
    return StartDetached(program, paths.programFile.string());
  }
};

}  // namespace

std::unique_ptr<LauncherStarter> MakeLauncherStarter() { return std::make_unique<ViewerStarter>(); }

}  // namespace talvo::platform
