// SPDX-License-Identifier: MIT
#include <cstdlib>

#include "root_folder.h"

namespace talvo::platform {

std::filesystem::path RootFolder() {
  // The wide variable keeps a root folder with non-ASCII letters intact.
  if (const wchar_t* root = _wgetenv(L"TALVO_ROOT"); root && *root) return root;
  return L"C:\\";
}

}  // namespace talvo::platform
