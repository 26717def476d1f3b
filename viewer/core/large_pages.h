// SPDX-License-Identifier: MIT
// Buffers of many megabytes (a program's text, its moves, its index, a picture) are first
// written once, page by page; the OS is asked to back them with large pages, so filling one
// takes a few faults instead of thousands. On a virtual machine a fault is dear: 64 MB cost
// 170 ms in 4 KB pages and about 10 ms in large ones. The OS seam lives with the platform code.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

namespace talvo::plot {

/// Asks the OS to back [data, data + bytes) with large pages where it is first written. Only a
/// hint: the memory works the same without it, and where the OS has none nothing changes.
void AdviseLargePages(void* data, std::size_t bytes);

/// Asks the OS to map [data, data + bytes) in now, as if each page had been written, without
/// writing it: a thread with nothing else to do takes the page faults ahead of the one that
/// fills the buffer. Only a hint: where the OS cannot, the pages come as they are written.
void PrefaultPages(void* data, std::size_t bytes);

/// Buffers smaller than this are left to the OS's choice: they hold no whole large page.
inline constexpr std::size_t kLargeBufferBytes = std::size_t{2} << 20;

/// std::allocator, with large pages asked for every large buffer it hands out. A large buffer
/// starts on a large page's edge, so that none of it is left to small pages at its ends.
template <typename T>
struct LargePageAllocator {
  using value_type = T;
  LargePageAllocator() = default;
  template <typename U>
  explicit LargePageAllocator(const LargePageAllocator<U>&) {}

  T* allocate(std::size_t n) {
    if (n < kLargeBufferBytes / sizeof(T)) return std::allocator<T>{}.allocate(n);
    if (n > std::allocator_traits<std::allocator<T>>::max_size(std::allocator<T>{})) throw std::bad_array_new_length();
    void* data = ::operator new (n * sizeof(T), std::align_val_t{kLargeBufferBytes});
    AdviseLargePages(data, n * sizeof(T));
    return static_cast<T*>(data);
  }
  void deallocate(T* data, std::size_t n) {
    if (n < kLargeBufferBytes / sizeof(T)) return std::allocator<T>{}.deallocate(data, n);
    ::operator delete (data, std::align_val_t{kLargeBufferBytes});
  }
  bool operator==(const LargePageAllocator&) const = default;
};

template <typename T>
using LargeVector = std::vector<T, LargePageAllocator<T>>;

/// Reserves room for n elements in `v` and asks large pages for it before it is written: for
/// the standard containers other code shares, which a LargeVector cannot stand in for.
template <typename Vector>
void ReserveLarge(Vector& v, std::size_t n) {
  v.reserve(n);
  if (v.capacity() * sizeof(typename Vector::value_type) >= kLargeBufferBytes)
    AdviseLargePages(v.data(), v.capacity() * sizeof(typename Vector::value_type));
}

}  // namespace talvo::plot
