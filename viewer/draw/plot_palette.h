// SPDX-License-Identifier: MIT
// The picture's colours, 0xAARRGGBB and opaque, for every toolkit that shows it.
#pragma once

#include <cstdint>

namespace talvo::plot::palette {

inline constexpr std::uint32_t kBackground = 0xffffffffu;
inline constexpr std::uint32_t kCut = 0xff0033ccu;
inline constexpr std::uint32_t kRapid = 0xffd00000u;
inline constexpr std::uint32_t kPierce = 0xffff8c00u;
inline constexpr std::uint32_t kOrigin = 0xff00a000u;
inline constexpr std::uint32_t kHighlight = 0xffff00ffu;
inline constexpr std::uint32_t kSheet = 0xff969696u;
inline constexpr std::uint32_t kKerf = 0xff78a0ffu;
/// The moves playback has done, and the torch.
inline constexpr std::uint32_t kDone = 0xff8c8c8cu;
inline constexpr std::uint32_t kTorch = 0xffff0000u;

}  // namespace talvo::plot::palette
