// SPDX-License-Identifier: MIT
// Texts the operator reads about a program's parameters, expressions and o-words.
#pragma once

namespace talvo::plot::msg {

inline constexpr const char* kDivideByZero = "SIFIRA BÖLME";
inline constexpr const char* kOutsideDomain = "İŞLEV TANIM ARALIĞI DIŞINDA";
inline constexpr const char* kNegativePower = "NEGATİF SAYININ KESİRLİ ÜSSÜ";
inline constexpr const char* kBadExpression = "İFADE OKUNAMADI";
inline constexpr const char* kParameterNumber = "PARAMETRE NUMARASI 1-5399 DIŞINDA";
inline constexpr const char* kParameterUndefined = "TANIMSIZ PARAMETRE";
inline constexpr const char* kParameterReadOnly = "SALT OKUNUR PARAMETRE";
inline constexpr const char* kMachineValue = "DEĞERİ YALNIZ MAKİNEDE BELLİ";
inline constexpr const char* kOwordUnmatched = "O SÖZCÜĞÜNÜN EŞİ YOK";
inline constexpr const char* kOwordUnknown = "BİLİNMEYEN O SÖZCÜĞÜ";
inline constexpr const char* kSubroutineMissing = "ALT PROGRAM DOSYADA YOK";
inline constexpr const char* kTooManyArguments = "ALT PROGRAMA EN ÇOK 30 DEĞER";
inline constexpr const char* kBlockLimit = "50 000 000 SATIR ÇALIŞTI: DÖNGÜ BİTMİYOR";
inline constexpr const char* kDepthLimit = "ALT PROGRAM DERİNLİĞİ 100'Ü AŞTI";
inline constexpr const char* kMoveLimit = "20 000 000 HAREKET: GERİSİ ÇİZİLMEDİ";

}  // namespace talvo::plot::msg
