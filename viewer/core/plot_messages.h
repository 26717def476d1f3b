// SPDX-License-Identifier: MIT
// Texts the operator reads about a program the viewer cannot follow.
#pragma once

namespace talvo::plot::msg {

inline constexpr const char* kFileMissing = "DOSYA BULUNAMADI";
inline constexpr const char* kFileUnreadable = "DOSYA OKUNAMADI";
inline constexpr const char* kFileEmpty = "DOSYA BOŞ";
inline constexpr const char* kFileBinary = "DOSYA METİN DEĞİL";
inline constexpr const char* kFileTooBig = "DOSYA ÇOK BÜYÜK (EN ÇOK 64 MB)";
inline constexpr const char* kNoMoves = "PROGRAMDA HAREKET YOK";

inline constexpr const char* kLineTooLong = "SATIR ÇOK UZUN";
inline constexpr const char* kOpenComment = "AÇIKLAMA KAPANMAMIŞ";
inline constexpr const char* kBadCharacter = "BEKLENMEYEN KARAKTER";
inline constexpr const char* kNumberMissing = "SAYI EKSİK";
inline constexpr const char* kNumberTooBig = "SAYI ÇOK BÜYÜK";
inline constexpr const char* kWordTwice = "AYNI SÖZCÜK İKİ KEZ";
inline constexpr const char* kCodeUnknown = "BİLİNMEYEN KOD";
inline constexpr const char* kCodesClash = "AYNI GRUPTAN İKİ KOD";
inline constexpr const char* kPlaneUnsupported = "YALNIZ G17 DÜZLEMİ ÇİZİLİR";
inline constexpr const char* kNoMotionMode = "HAREKET KODU YOK";
inline constexpr const char* kArcNeedsCentre = "YAYDA I, J YA DA R EKSİK";
inline constexpr const char* kArcBothForms = "YAYDA HEM R HEM I, J VAR";
inline constexpr const char* kArcNeedsEnd = "R İLE YAYDA X, Y EKSİK";
inline constexpr const char* kArcFullWithR = "R İLE TAM DAİRE OLMAZ";
inline constexpr const char* kArcRadiusZero = "YAY YARIÇAPI SIFIR";
inline constexpr const char* kArcRadiusSmall = "YARIÇAP UCA ULAŞMIYOR";
inline constexpr const char* kArcEndOff = "YAYIN SONU ÇEMBERDE DEĞİL";
inline constexpr const char* kArcTurns = "YAYDA TUR SAYISI (P) ÇİZİLMEZ";
inline constexpr const char* kExponent = "ÜSLÜ SAYI OKUNMAZ";
inline constexpr const char* kWordNoUse = "BU SATIRDA KULLANILMAYAN SÖZCÜK";
inline constexpr const char* kExpression = "EKSEN YA DA YAY SÖZCÜĞÜNDE İFADE HESAPLANAMAZ";
inline constexpr const char* kAxisNotDrawn = "ÇİZİLMEYEN EKSEN";
inline constexpr const char* kRotaryA = "DÖNER EKSEN İŞİ ÇİZİLEMEZ: A";
inline constexpr const char* kRotaryB = "DÖNER EKSEN İŞİ ÇİZİLEMEZ: B";
inline constexpr const char* kRotaryC = "DÖNER EKSEN İŞİ ÇİZİLEMEZ: C";
inline constexpr const char* kNegativeFeed = "F EKSİ OLAMAZ";
inline constexpr const char* kZOnly = "G38 VE G92 YALNIZ Z İLE ÇİZİLİR";
inline constexpr const char* kSubprogram = "ALT PROGRAM VE DÖNGÜ İZLENEMEZ";

// What a line carries that the drawing passes over, as the viewer names it.
inline constexpr const char* kPassedOver = "GEÇİLDİ";
inline constexpr const char* kLines = "satır";
inline constexpr const char* kMoreRefused = "OKUNAMAYAN BAŞKA SATIRLAR";
inline constexpr const char* kPassedComment = "AÇIKLAMA";
inline constexpr const char* kPassedAssignment = "PARAMETRE ATAMASI";
inline constexpr const char* kPassedFeedExpression = "İFADE İLE VERİLEN F (SÜRE HESAPLANAMAZ)";

}  // namespace talvo::plot::msg
