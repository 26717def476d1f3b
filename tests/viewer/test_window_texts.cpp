// SPDX-License-Identifier: MIT
// The texts the viewer's window shows for a small program, word for word as the window has
// always shown them.
#include <gtest/gtest.h>

#include <string>

#include "loaded_plot.h"
#include "window_texts.h"

namespace talvo::plot {
namespace {

// A rapid, a cut at F1000, a half circle of radius 10 and a rapid home.
const char* const kProgram = "G21\nG0X10Y5\nG1X50Y5F1000\nG2X50Y25I0J10\nG0X0Y0\nM30\n";

TEST(WindowTexts, SumUpTheJob) {
  const LoadedPlot plot = PlotOfText(kProgram);
  EXPECT_EQ(JobSummaryText(plot.program, JobSettings{}),
            "BOYUT  50.000 x 25.000\n"
            "KESME  71.416\n"
            "BOŞ HAREKET  67.082\n"
            "DELME  1\n"
            "TAHMİNİ SÜRE  0:00:05\n"
            "SACA SIĞIYOR");
  EXPECT_EQ(ExtentsText(plot.program.extents), "ALAN  X 0.000 … 50.000   Y 0.000 … 25.000");
  EXPECT_EQ(LengthsText(plot.program), "KESME 71.416   BOŞ HAREKET 67.082");
  EXPECT_EQ(UnitsText(plot.program.units), "MM");
  EXPECT_EQ(ExtentsText(PlotExtents{}), "");
}

TEST(WindowTexts, TellTheFactsOfEachMove) {
  const LoadedPlot plot = PlotOfText(kProgram);
  const char* const expected[] = {
      "SATIR 2  BOŞ HAREKET  BOY 11.180  HIZ 10000.000  0.07 s",
      "SATIR 3  KESME  BOY 40.000  HIZ 1000.000  2.40 s",
      "SATIR 4  YAY  BOY 31.416  HIZ 1000.000  1.88 s",
      "SATIR 5  BOŞ HAREKET  BOY 55.902  HIZ 10000.000  0.34 s",
  };
  ASSERT_EQ(plot.program.moves.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(MoveFactsText(plot.program.moves[i], JobSettings{}), expected[i]);
  }
}

TEST(WindowTexts, SayWhyAJobCannotBeTimed) {
  const LoadedPlot plot = PlotOfText("G20\nG0X10\nG1X20\nfoo\nM30\n");
  EXPECT_EQ(JobSummaryText(plot.program, JobSettings{}),
            "BOYUT  20.000 x 0.000\n"
            "KESME  10.000\n"
            "BOŞ HAREKET  10.000\n"
            "DELME  1\n"
            "TAHMİNİ SÜRE  SÜRE HESAPLANAMAZ: KESMEDE HIZ (F) YOK (SATIR 3)\n"
            "SACA SIĞIYOR");
  EXPECT_EQ(MoveFactsText(plot.program.moves[1], JobSettings{}),
            "SATIR 3  KESME  BOY 10.000  HIZ -  SÜRE HESAPLANAMAZ");
  EXPECT_EQ(UnitsText(plot.program.units), "İNÇ");
  ASSERT_EQ(plot.program.errors.size(), 1u);
  EXPECT_EQ(ErrorLineText(plot.program.errors[0]), "SATIR 4: SAYI EKSİK");
  EXPECT_EQ(MoreErrorsText(17), "… 17 DAHA FAZLA HATA");
}

TEST(WindowTexts, ShowNumbersAsTheWindowAlwaysHas) {
  EXPECT_EQ(CursorText(-0.0, 12.3456), "X 0.000   Y 12.346");
  EXPECT_EQ(CursorText(-0.0004, 1e9), "X -0.000   Y 1000000000.000");
  EXPECT_EQ(DistanceText(0, 0, 3, -4), "UZAKLIK 5.000   ΔX 3.000   ΔY -4.000");
  EXPECT_EQ(DurationText(3723.4), "1:02:03");
  EXPECT_EQ(DurationText(59.5), "0:01:00");
  EXPECT_EQ(WindowTitle("a b.nc"), "TALVO-ZAVODO V1.0 - ÇİZİM - a b.nc");
}

}  // namespace
}  // namespace talvo::plot
