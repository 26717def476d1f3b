// SPDX-License-Identifier: MIT
// Each built program carries the manifest it should: the program asks for the highest rights its
// user has, because G KOD creates files right in C:\; the command-line generator and the viewer run
// as invoked.
// Read back from the built files as Windows reads them, as a resource of type RT_MANIFEST.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

struct ManifestCase {
  const wchar_t* program;
  const char* level;
};

/// The program's manifest resource 1 (the one the loader reads for an .exe), or "(none)".
std::string ManifestOf(const std::wstring& file) {
  HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) return "(not loaded: " + std::to_string(GetLastError()) + ")";
  std::string text = "(none)";
  if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST)) {
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    if (bytes) text.assign(bytes, SizeofResource(module, found));
  }
  FreeLibrary(module);
  return text;
}

/// The level of requestedExecutionLevel, or "(none)".
std::string ExecutionLevel(const std::string& manifest) {
  const auto element = manifest.find("<requestedExecutionLevel");
  if (element == std::string::npos) return "(none)";
  const std::string attribute = "level=\"";
  const auto start = manifest.find(attribute, element);
  if (start == std::string::npos) return "(none)";
  const auto from = start + attribute.size();
  return manifest.substr(from, manifest.find('"', from) - from);
}

class ManifestTest : public testing::TestWithParam<ManifestCase> {};

TEST_P(ManifestTest, CarriesItsExecutionLevel) {
  const std::wstring file = std::wstring(TALVO_WINDOWS_BIN) + L"/" + GetParam().program;
  const std::string manifest = ManifestOf(file);
  EXPECT_EQ(ExecutionLevel(manifest), GetParam().level) << manifest;
  EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos) << manifest;
}

// The Windows programs of the package; every one of them belongs in this table.
INSTANTIATE_TEST_SUITE_P(EveryProgram, ManifestTest,
                         testing::Values(ManifestCase{L"talvo-zavodo.exe", "highestAvailable"},
                                         ManifestCase{L"talvo-gcode.exe", "asInvoker"},
                                         ManifestCase{L"talvo-plot.exe", "asInvoker"}),
                         [](const auto& info) {
                           std::string name;
                           for (const wchar_t* c = info.param.program; *c != L'.'; ++c)
                             if (*c != L'-') name += static_cast<char>(*c);
                           return name;
                         });

}  // namespace
