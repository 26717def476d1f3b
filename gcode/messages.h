// SPDX-License-Identifier: MIT
// Texts the operator reads when a run does not go through.
#pragma once

namespace talvo::msg {

inline constexpr const char* kZeroRefused = "DAİRENİN ÇAPI 0 OLAMAZ";
inline constexpr const char* kTooBig = "SAYI ÇOK BÜYÜK";
inline constexpr const char* kCannotWrite = "DOSYA YAZILAMADI";
inline constexpr const char* kCannotRead = "DOSYA OKUNAMADI";
inline constexpr const char* kCannotDelete = "DOSYA SİLİNEMEDİ";
inline constexpr const char* kViewerNotStarted = "GÖRÜNTÜLEYİCİ BAŞLATILAMADI";
inline constexpr const char* kViewerNotFound = "talvo-plot bulunamadı";

}  // namespace talvo::msg
