// SPDX-License-Identifier: MIT
#pragma once

#include <QRgb>

#include <vector>

namespace talvo::assets {

/// The colour that one pixel of a committed picture must have, and why.
struct PixelFact {
  const char* picture;
  const char* fact;
  int x;
  int y;
  QRgb colour;
};

inline constexpr QRgb kWhite = 0xFFFFFF;
inline constexpr QRgb kBlue = 0x0000FF;
inline constexpr QRgb kSilver = 0xC0C0C0;
inline constexpr QRgb kBlack = 0x000000;
inline constexpr QRgb kRed = 0xFF0000;
inline constexpr QRgb kYellow = 0xFFFF00;

/// Facts of the four illustrations: the panels common to all and each main panel.
std::vector<PixelFact> IllustrationFacts();
/// Facts of the four menu pictures.
std::vector<PixelFact> MenuPictureFacts();
/// Facts of the program icon.
std::vector<PixelFact> IconFacts();

}  // namespace talvo::assets
