// SPDX-License-Identifier: MIT
// Captions of the viewer's window, in the program's style.
#pragma once

namespace plot_text {

inline constexpr const char* kTitle = "TALVO-ZAVODO V1.0 - ÇİZİM";
inline constexpr const char* kFit = "SIĞDIR";
inline constexpr const char* kFitTip = "ÇİZİMİ PENCEREYE SIĞDIR (F)";
inline constexpr const char* kCursorX = "X";
inline constexpr const char* kCursorY = "Y";
inline constexpr const char* kCut = "KESME";
inline constexpr const char* kRapid = "BOŞ HAREKET";
inline constexpr const char* kExtents = "ALAN";
inline constexpr const char* kMillimetre = "MM";
inline constexpr const char* kInch = "İNÇ";
inline constexpr const char* kLine = "SATIR";
inline constexpr const char* kErrors = "OKUNAMAYAN SATIRLAR";
inline constexpr const char* kMoreErrors = "DAHA FAZLA HATA";
inline constexpr const char* kFileArgument = "DOSYA";
inline constexpr const char* kFileHelp = "Çizilecek G kodu programı.";
inline constexpr const char* kExportHelp = "Çizimi pencere açmadan bu PNG dosyasına yaz ve çık.";
inline constexpr const char* kSizeHelp = "Resmin boyu, GENİŞLİKxYÜKSEKLİK (ilk değer 1200x800).";
inline constexpr const char* kBadSize = "BOYUT GEÇERSİZ";
inline constexpr const char* kCannotWritePicture = "RESİM YAZILAMADI";
inline constexpr const char* kNoFile = "DOSYA VERİLMEDİ";
inline constexpr const char* kZoomIn = "YAKLAŞ";
inline constexpr const char* kZoomOut = "UZAKLAŞ";
inline constexpr const char* kSettings = "AYARLAR";
inline constexpr const char* kRapidRate = "BOŞ HAREKET HIZI";
inline constexpr const char* kRapidRateTip = "Boş hareket hızı, programın biriminde dakikada (ilk değer 10000).";
inline constexpr const char* kPierceDelay = "DELME BEKLEMESİ";
inline constexpr const char* kPierceDelayTip = "Her delmede bekleme, saniye (ilk değer 0.5).";
inline constexpr const char* kSheet = "SAC";
inline constexpr const char* kSheetTip = "Sacın boyu, mm (ilk değer 3000 x 1500).";
inline constexpr const char* kSheetOrigin = "SIFIR";
inline constexpr const char* kSheetOriginTip =
    "Programın sıfır noktası sacın neresinde: sol alt köşeden X ve Y, mm (ilk değer 0, 0: sac sıfırdan +X ve +Y "
    "yönünde).";
inline constexpr const char* kKerf = "KERF";
inline constexpr const char* kKerfTip = "Kesmeleri alev genişliğinde bant olarak göster.";
inline constexpr const char* kSize = "BOYUT";
inline constexpr const char* kPierces = "DELME";
inline constexpr const char* kTime = "TAHMİNİ SÜRE";
inline constexpr const char* kFits = "SACA SIĞIYOR";
inline constexpr const char* kDoesNotFit = "SACA SIĞMIYOR";
inline constexpr const char* kFitsElsewhere = "BU SIFIRLA SACA SIĞMIYOR (BOYU SIĞAR)";
inline constexpr const char* kFeed = "HIZ";
inline constexpr const char* kLength = "BOY";
inline constexpr const char* kArc = "YAY";
inline constexpr const char* kNoTime = "SÜRE HESAPLANAMAZ";
inline constexpr const char* kPlay = "OYNAT / DURAKLAT";
inline constexpr const char* kPlayTip = "Programı tahmini gerçek zamanın katı hızında oynat (Boşluk).";
inline constexpr const char* kStepBack = "◀";
inline constexpr const char* kStepBackTip = "Bir hareket geri (Sol).";
inline constexpr const char* kStepForward = "▶";
inline constexpr const char* kStepForwardTip = "Bir hareket ileri (Sağ).";
inline constexpr const char* kFirstMove = "BAŞ";
inline constexpr const char* kLastMove = "SON";
inline constexpr const char* kPlayback = "OYNATMA";
inline constexpr const char* kReading = "OKUNUYOR";
inline constexpr const char* kDrawing = "ÇİZİLİYOR";
inline constexpr const char* kMeasure = "ÖLÇ";
inline constexpr const char* kMeasureTip =
    "İki tıkla ölç: hareket uçlarına, yay merkezlerine ve sıfır noktasına yapışır (M).";
inline constexpr const char* kDistance = "UZAKLIK";
inline constexpr const char* kSummaryHelp = "İş özetini (ölçüler, boylar, delmeler, süre) yaz ve çık.";
inline constexpr const char* kJsonHelp = "Özeti tek bir JSON nesnesi olarak yaz.";
inline constexpr const char* kRapidRateHelp =
    "Boş hareket hızı, programın biriminde dakikada (ilk değer 10000; saklanan ayar).";
inline constexpr const char* kPierceDelayHelp = "Delme başına bekleme, saniye (ilk değer 0.5; saklanan ayar).";
inline constexpr const char* kBadNumber = "SAYI GEÇERSİZ";

}  // namespace plot_text
