// SPDX-License-Identifier: MIT
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include "large_pages.h"

namespace talvo::plot {

namespace {

std::uintptr_t PageSize() {
  static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  return page;
}

// How far `data` lies past the page it starts in.
std::uintptr_t IntoPage(const void* data) { return reinterpret_cast<std::uintptr_t>(data) % PageSize(); }

}  // namespace

void AdviseLargePages(void* data, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  // The advice takes whole pages: those wholly inside the buffer.
  const std::uintptr_t into = IntoPage(data), skip = into ? PageSize() - into : 0;
  if (bytes <= skip) return;
  const std::size_t whole = (bytes - skip) / PageSize() * PageSize();
  if (whole > 0) madvise(static_cast<char*>(data) + skip, whole, MADV_HUGEPAGE);  // a hint: its failure changes nothing
#else
  (void)data;
  (void)bytes;
#endif
}

void PrefaultPages(void* data, std::size_t bytes) {
#ifdef __linux__
  constexpr int kPopulateWrite = 23;  // MADV_POPULATE_WRITE, Linux 5.14 on; older kernels refuse it
  const std::uintptr_t into = IntoPage(data);
  if (bytes > 0) madvise(static_cast<char*>(data) - into, bytes + into, kPopulateWrite);  // a hint, as above
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace talvo::plot
