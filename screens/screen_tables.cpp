// SPDX-License-Identifier: MIT
#include "screen_tables.h"

namespace talvo::screens {
namespace {

using enum ControlKind;

constexpr std::uint32_t kMenuBack = 0xC0FFFF;
constexpr std::uint32_t kCutBack = 0xFFFF80;

// Controls are created in the order of each table; on Form8 the three window-level fields come
// after the illustration area and so lie above it.
// kind, name, parent, {left, top, width, height}, tab, text, tooltip, picture[, face]

// The flame and feed fields open with the texts the core starts from.
constexpr std::string_view kFlame = InitialFieldText(CutValue::FlameDiameter);
constexpr std::string_view kFeed = InitialFieldText(CutValue::Feed);

// clang-format off: one control a row, as in the screen tables
constexpr ControlDescription kForm1[] = {
    {PictureButton, "ICCAP", "", {120, 120, 2430, 2925}, 1, "", "", "ICCAP"},
    {PictureButton, "DISCAP", "", {2760, 120, 2475, 2940}, 2, "", "", "DISCAP"},
    {PictureButton, "DORTGENHAVZ", "", {5400, 120, 2475, 2925}, 3, "", "", "DORTGENHAVZ"},
    {PictureButton, "KAREDIS", "", {8040, 120, 2490, 2955}, 4, "", "", "KAREDIS"},
    {Button, "Command1", "", {4080, 3240, 2415, 495}, 0, "ÇIKIŞ", "", "", 0xFF8080},
};

constexpr ControlDescription kForm4[] = {
    {IllustrationArea, "Picture1", "", {120, 120, 10455, 5415}, 3, "", "", "Form4"},
    {InputField, "Text2", "Picture1", {840, 1200, 975, 375}, 5, "", "DELİK ÇAPI", ""},
    {InputField, "Text3", "Picture1", {4680, 1800, 975, 375}, 6, "", "BAŞLAMA MESAFESİ", ""},
    {InputField, "Text4", "Picture1", {7320, 3600, 975, 405}, 4, kFlame, "ALEV ÇAPI", ""},
    {InputField, "Text5", "Picture1", {2640, 4080, 855, 375}, 7, kFeed, "İLERLEME", ""},
    {Button, "KOD", "", {4920, 5760, 1455, 615}, 1, "G KOD", "", ""},
    {Button, "ANAMENU", "", {6720, 5760, 2055, 615}, 2, "ANA MENÜ", "", ""},
    {OutputBox, "Text1", "", {10680, 120, 3855, 5415}, 0, "", "", ""},
};

constexpr ControlDescription kForm11[] = {
    {IllustrationArea, "Picture1", "", {120, 120, 10455, 5415}, 3, "", "", "Form11"},
    {InputField, "Text2", "Picture1", {960, 1080, 1215, 375}, 5, "", "DAİRE ÇAPI", ""},
    {InputField, "Text3", "Picture1", {4560, 1080, 975, 405}, 7, "", "BAŞLAMA MESAFESİ", ""},
    {InputField, "Text4", "Picture1", {7440, 3600, 855, 375}, 6, kFlame, "ALEV ÇAPI", ""},
    {InputField, "Text5", "Picture1", {2640, 4080, 855, 375}, 4, kFeed, "İLERLEME", ""},
    {Button, "KOD", "", {4920, 5760, 1455, 615}, 0, "G KOD", "", ""},
    {Button, "ANAMENU", "", {6720, 5760, 2055, 615}, 1, "ANA MENÜ", "", ""},
    {OutputBox, "Text1", "", {10800, 120, 3855, 5415}, 2, "", "", ""},
};

constexpr ControlDescription kForm8[] = {
    {IllustrationArea, "Picture2", "", {120, 120, 10455, 5415}, 3, "", "", "Form8"},
    {InputField, "Text2", "Picture2", {840, 1440, 1215, 375}, 4, "", "DÖRT KÖŞENİN  ENİ", ""},
    {InputField, "Text3", "Picture2", {2880, 360, 975, 375}, 5, "", "DÖRT KÖŞENİN BOYU", ""},
    {InputField, "Text4", "", {4800, 1080, 855, 375}, 6, "", "BAŞLAMA MESAFESİ", ""},
    {InputField, "Text5", "", {7440, 3840, 975, 375}, 8, kFlame, "ALEV ÇAPI", ""},
    {InputField, "Text6", "", {2760, 4200, 855, 375}, 7, kFeed, "İLERLEME", ""},
    {Button, "KOD", "", {4920, 5760, 1455, 615}, 1, "G KOD", "", ""},
    {Button, "ANAMENU", "", {6720, 5760, 2055, 615}, 2, "ANA MENÜ", "", ""},
    {OutputBox, "Text1", "", {10800, 120, 3855, 5415}, 0, "", "", ""},
};

constexpr ControlDescription kForm12[] = {
    {IllustrationArea, "Picture2", "", {120, 120, 10455, 5415}, 3, "", "", "Form12"},
    {InputField, "Text2", "Picture2", {1080, 1200, 975, 375}, 4, "", "DÖRTGENİN  BOYU", ""},
    {InputField, "Text3", "Picture2", {2880, 240, 975, 375}, 7, "", "KABA BOY", ""},
    {InputField, "Text4", "Picture2", {4680, 1080, 735, 375}, 5, "", "BAŞLAMA MESAFESİ", ""},
    {InputField, "Text5", "Picture2", {7320, 3600, 975, 375}, 8, kFlame, "ALEV ÇAPI", ""},
    {InputField, "Text6", "Picture2", {2640, 4080, 975, 375}, 6, kFeed, "", ""},
    {Button, "KOD", "", {4920, 5760, 1455, 615}, 1, "G KOD", "", ""},
    {Button, "ANAMENU", "", {6720, 5760, 2055, 615}, 0, "ANA MENÜ", "", ""},
    {OutputBox, "Text1", "", {10800, 120, 3855, 5415}, 2, "", "", ""},
};

// Which value each field feeds: the control names live here and nowhere else.
constexpr FieldControl kCircleFields[] = {
    {"Text2", CutValue::Diameter},
    {"Text3", CutValue::StartDistance},
    {"Text4", CutValue::FlameDiameter},
    {"Text5", CutValue::Feed},
};
constexpr FieldControl kRectangleFields[] = {
    {"Text2", CutValue::SizeY},         {"Text3", CutValue::SizeX}, {"Text4", CutValue::StartDistance},
    {"Text5", CutValue::FlameDiameter}, {"Text6", CutValue::Feed},
};

constexpr WindowDescription kMenu{"Form1",   "TALVO-ZAVODO V1.0", 10635,  3870,
                                  kMenuBack, Border::FixedSingle, kForm1, {}};

constexpr WindowDescription kInnerCircle{"Form4", "İÇ ÇAP KESİMİ",      14790,        6615, kCutBack, Border::Resizable,
                                         kForm4,  CutKind::InnerCircle, kCircleFields};
constexpr WindowDescription kOuterCircle{"Form11",     "DIŞ ÇAP KESİMİ",    14790,   6615,
                                         kCutBack,     Border::FixedSingle, kForm11, CutKind::OuterCircle,
                                         kCircleFields};
constexpr WindowDescription kInnerRectangle{"Form8",         "İÇ DÖRT KÖŞE KESİMİ", 14775,  6615,
                                            kCutBack,        Border::Resizable,     kForm8, CutKind::InnerRectangle,
                                            kRectangleFields};
constexpr WindowDescription kOuterRectangle{"Form12",        "DIŞ DÖRT KÖŞE KESİMİ", 14790,   6615,
                                            kCutBack,        Border::Resizable,      kForm12, CutKind::OuterRectangle,
                                            kRectangleFields};
// clang-format on

}  // namespace

const WindowDescription& MenuDescription() { return kMenu; }

const WindowDescription& CutScreenDescription(CutKind kind) {
  switch (kind) {
    case CutKind::InnerCircle: return kInnerCircle;
    case CutKind::OuterCircle: return kOuterCircle;
    case CutKind::InnerRectangle: return kInnerRectangle;
    case CutKind::OuterRectangle: return kOuterRectangle;
  }
  return kInnerCircle;  // unreachable: every kind is handled above
}

}  // namespace talvo::screens
