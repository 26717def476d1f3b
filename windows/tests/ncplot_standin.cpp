// SPDX-License-Identifier: MIT
// Stands in for the outside viewer in the Windows smoke test: notes its command line in
// C:\ncplot-ran.txt, so the test sees that the launcher batch ran.
#include <cstdio>

int main(int argc, char** argv) {
  std::FILE* note = std::fopen("C:\\ncplot-ran.txt", "wb");
  if (!note) return 1;
  for (int i = 1; i < argc; ++i) std::fprintf(note, "%s\n", argv[i]);
  return std::fclose(note) == 0 ? 0 : 1;
}
