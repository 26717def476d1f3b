// SPDX-License-Identifier: MIT
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include "large_pages.h"

namespace talvo::plot {

void AdviseLargePages(void* data, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  // The advice takes whole pages: those wholly inside the buffer.
  static const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const std::uintptr_t from = (reinterpret_cast<std::uintptr_t>(data) + page - 1) / page * page;
  const std::uintptr_t to = (reinterpret_cast<std::uintptr_t>(data) + bytes) / page * page;
  if (to > from)
    madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);  // a hint: its failure changes nothing
#else
  (void)data;
  (void)bytes;
#endif
}

void PrefaultPages(void* data, std::size_t bytes) {
#ifdef __linux__
  constexpr int kPopulateWrite = 23;  // MADV_POPULATE_WRITE, Linux 5.14 on; older kernels refuse it
  static const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const std::uintptr_t from = reinterpret_cast<std::uintptr_t>(data) / page * page;
  const std::uintptr_t to = reinterpret_cast<std::uintptr_t>(data) + bytes;
  if (to > from)
    madvise(reinterpret_cast<void*>(from), to - from, kPopulateWrite);  // a hint: its failure changes nothing
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace talvo::plot
