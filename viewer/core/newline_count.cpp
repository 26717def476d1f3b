// SPDX-License-Identifier: MIT
#include "newline_count.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace talvo::plot {

namespace {

constexpr std::uint64_t kOnes = 0x0101'0101'0101'0101;
constexpr std::uint64_t kLow7 = kOnes * 0x7f;
constexpr std::uint64_t kNewlines = kOnes * '\n';

// A 1 in each byte of the word that is '\n', 0 in the others: exact, as the sum of a byte's
// low seven bits with 0x7f never carries into the next byte.
std::uint64_t NewlineBytes(std::uint64_t word) {
  const std::uint64_t x = word ^ kNewlines;  // 0 where the byte is '\n'
  return ~(((x & kLow7) + kLow7) | x) >> 7 & kOnes;
}

}  // namespace

std::size_t CountNewlines(std::string_view text) {
  const char* p = text.data();
  std::size_t left = text.size(), count = 0;
  // Each byte of `sums` counts its own lane, up to 255 words before it could overflow.
  constexpr std::size_t kWordsPerSum = 255;
  while (left >= 8) {
    const std::size_t words = std::min(left / 8, kWordsPerSum);
    std::uint64_t sums = 0;
    for (std::size_t k = 0; k < words; ++k, p += 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, p, 8);
      sums += NewlineBytes(word);
    }
    left -= words * 8;
    // The eight lanes added up: pairs into 16-bit lanes first, as the whole may pass 255.
    constexpr std::uint64_t kEvenBytes = 0x00ff'00ff'00ff'00ff;
    const std::uint64_t pairs = (sums & kEvenBytes) + (sums >> 8 & kEvenBytes);
    count += static_cast<std::size_t>((pairs * 0x0001'0001'0001'0001) >> 48);
  }
  for (; left > 0; --left, ++p) count += *p == '\n';
  return count;
}

}  // namespace talvo::plot
