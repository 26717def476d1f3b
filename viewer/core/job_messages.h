// SPDX-License-Identifier: MIT
// Texts the operator reads about a job's estimate.
#pragma once

namespace talvo::plot::msg {

inline constexpr const char* kNoFeed = "KESMEDE HIZ (F) YOK";
inline constexpr const char* kFeedZero = "KESME HIZI SIFIR (F0)";
inline constexpr const char* kFeedUnknown = "KESME HIZI HESAPLANAMIYOR (F İFADE)";
inline constexpr const char* kNoRapidRate = "BOŞ HAREKET HIZI GİRİLMEMİŞ";
inline constexpr const char* kLineWord = "SATIR";

}  // namespace talvo::plot::msg
