// SPDX-License-Identifier: MIT
// A picture written as a PNG file with the Windows Imaging Component, which every Windows has.
#pragma once

#include <optional>
#include <string>

#include "pixel_buffer.h"

namespace talvo::plot {

/// Writes the opaque pixels of `picture` into the PNG file `path`; the reason when it could not.
std::optional<std::string> WritePng(const std::wstring& path, const PixelBuffer& picture);

}  // namespace talvo::plot
