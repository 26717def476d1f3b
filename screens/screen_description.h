// SPDX-License-Identifier: MIT
// A screen as data: the window and its controls, in twips, read by the one builder.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "cut_kind.h"

namespace talvo::screens {

enum class ControlKind {
  IllustrationArea,  ///< a picture area holding a bitmap and fields; takes the focus, reacts to nothing
  InputField,        ///< a single-line text field
  OutputBox,         ///< the multi-line box that shows the program
  Button,            ///< a push button
  PictureButton,     ///< a picture area that reacts to a mouse click
};

enum class Border { FixedSingle, Resizable };

/// Left, Top, Width and Height in twips, from the inside top-left corner of the parent.
struct TwipRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct ControlDescription {
  ControlKind kind;
  std::string_view name;
  std::string_view parent;  ///< empty: the window itself
  TwipRect rect;
  int tab;
  std::string_view text;                   ///< initial text or caption
  std::string_view tooltip;                ///< empty: none
  std::string_view picture;                ///< the name of a picture area's bitmap among the pictures
  std::optional<std::uint32_t> face = {};  ///< 0xRRGGBB fill of a button's face; none: the platform's
};

/// A cut screen's input field and the value its text feeds.
struct FieldControl {
  std::string_view control;
  CutValue value;
};

struct WindowDescription {
  std::string_view name;
  std::string_view caption;
  int clientWidth;           ///< twips
  int clientHeight;          ///< twips
  std::uint32_t backColour;  ///< 0xRRGGBB
  Border border;
  std::span<const ControlDescription> controls;  ///< in the order they are created
  std::optional<CutKind> kind;                   ///< the contour of a cut screen; none for the menu
  std::span<const FieldControl> fields = {};     ///< a cut screen's input fields; none for the menu
};

/// The twips of a logical pixel: positions are exact at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

constexpr int ToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

/// The most characters an input field holds: far more than any number typed into it, and a
/// bound on what a pasted document can make a window lay out.
inline constexpr int kInputFieldMaxLength = 32767;

/// The sunken border of a picture area, in pixels; its children sit inside it.
inline constexpr int kPictureBorder = 2;

}  // namespace talvo::screens
