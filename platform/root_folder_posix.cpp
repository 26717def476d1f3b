// SPDX-License-Identifier: MIT
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "root_folder.h"

namespace talvo::platform {

std::filesystem::path RootFolder() {
  if (const char* root = std::getenv("TALVO_ROOT"); root && *root) return root;
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/";
}

}  // namespace talvo::platform
