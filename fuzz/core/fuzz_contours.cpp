// SPDX-License-Identifier: MIT
// Any field texts through a whole run: either the run refuses, or every line of the program is
// one a controller reads as meant. The first byte picks the kind; "|" separates the fields.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "generation_run.h"
#include "messages.h"
#include "program_grammar.h"

namespace {

using namespace talvo;
using talvo::fuzz::Check;

/// The run's files in memory: a fuzz run makes millions of them.
class MemoryFiles final : public RunFiles {
 public:
  std::optional<std::string> WriteNew(const std::filesystem::path& path, std::string_view bytes) override {
    if (!files.emplace(path.string(), std::string(bytes)).second) return "file exists";
    return std::nullopt;
  }
  std::optional<std::string> Read(const std::filesystem::path& path, std::string& bytes) override {
    const auto it = files.find(path.string());
    if (it == files.end()) return "no such file";
    bytes = it->second;
    return std::nullopt;
  }
  std::optional<std::string> Remove(const std::filesystem::path& path) override {
    files.erase(path.string());
    return std::nullopt;
  }
  std::optional<std::string> Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    const auto it = files.find(from.string());
    if (it == files.end()) return "no such file";
    std::string bytes = std::move(it->second);
    files.erase(it);
    files[to.string()] = std::move(bytes);
    return std::nullopt;
  }
  std::optional<std::string> KeepCopy(const std::filesystem::path& from, const std::filesystem::path& to) override {
    const auto it = files.find(from.string());
    if (it == files.end()) return "no such file";
    if (!files.emplace(to.string(), it->second).second) return "file exists";
    return std::nullopt;
  }
  std::optional<std::string> Names(const std::filesystem::path&, std::vector<std::string>& names) override {
    names.clear();  // a fuzz run's root is new each time: nothing was left in it
    return std::nullopt;
  }
  std::optional<std::string> Lock(const std::filesystem::path&, std::unique_ptr<RunLock>& held) override {
    held = std::make_unique<RunLock>();
    return std::nullopt;
  }
  NameKind Kind(const std::filesystem::path& path) override {
    return files.count(path.string()) ? NameKind::Other : NameKind::Absent;
  }
  std::map<std::string, std::string> files;
};

FieldTexts SplitFields(CutKind kind, std::string_view rest) {
  FieldTexts fields;
  for (const CutValue read : Describe(kind).reads) {
    if (rest.empty()) break;  // the later fields are missing altogether
    const std::size_t bar = rest.find('|');
    fields.emplace(read, std::string(rest.substr(0, bar)));
    rest = bar == std::string_view::npos ? std::string_view{} : rest.substr(bar + 1);
  }
  return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto kind = static_cast<CutKind>(data[0] % 4);
  const FieldTexts fields = SplitFields(kind, std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));

  const ProgramPlan plan = PlanProgram(kind, fields);
  MemoryFiles files;
  const RunPaths paths = RunPaths::InRoot("root");
  std::string display = "before";
  const RunOutcome outcome = GenerationRun(paths, files, nullptr).Run(kind, fields, display);

  if (plan.refusal) {
    Check(*plan.refusal == msg::kTooBig || *plan.refusal == msg::kZeroRefused,
          "a refusal says one of the two messages");
    Check(plan.program.empty(), "a refused plan holds no program");
    Check(outcome.status == RunStatus::Refused && outcome.message == *plan.refusal, "the run refuses as the plan does");
    Check(display == "before" && files.files.empty(), "a refused run touches nothing");
    return 0;
  }
  for (const char c : plan.program) {
    Check(c == ' ' || c == '\r' || c == '\n' || c == '-' || c == '.' || c == '%' || (c >= '0' && c <= '9') ||
              c == 'G' || c == 'M' || c == 'X' || c == 'Y' || c == 'J' || c == 'F',
          "the program holds only its words, numbers, blanks and line ends");
  }
  const std::string stripped = StrippedLines(plan.program);
  if (const auto fault = fuzz::ProgramFault(stripped)) {
    std::fprintf(stderr, "%s\n", fault->c_str());
    Check(false, "every program line is one a controller reads as meant");
  }
  Check(outcome.status == RunStatus::Done && outcome.message.empty(), "an accepted run is done");
  Check(display == stripped, "the display holds the stripped program");
  Check(files.files.size() == 2, "a done run leaves its two files and nothing staged");
  Check(files.files[paths.programFile.string()] == stripped + "\r\n",
        "the program file is the display and an empty line");
  return 0;
}
