// SPDX-License-Identifier: MIT
// libFuzzer target over talvo-plot's drawing (viewer/draw): the kerf band, the moves and the
// done moves of a program in one picture, whose size, zoom and kerf width the input's first
// bytes choose and the rest is the program. Zoom and kerf are bounded so that an input costs
// milliseconds: a band thousands of pixels wide only writes the whole picture over and over.
// Every writer must keep to the picture's width, leaving the row ends up to its stride alone,
// and write only its own colours. `make fuzz` runs it with the seeds in corpus/plot_drawing/.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "loaded_plot.h"
#include "move_pixels.h"
#include "ngc_runner.h"
#include "pierce_marks.h"
#include "plot_palette.h"
#include "view_mapping.h"

namespace {

using namespace talvo::plot;
using talvo::fuzz::Check;

constexpr std::size_t kHeaderBytes = 6;
constexpr int kMaxZoomDoublings = 13;           // up to 8192 times the fitted view
constexpr std::uint32_t kRowEnd = 0x12345678u;  // in no palette: what stands beyond each row's width

// The picture an input asks for.
struct Picture {
  int width, height, stride;
  int zoomDoublings;
  double kerfPixels;
  std::uint8_t zoomAt;  // which move's end the view zooms about, out of 256
  std::uint8_t done;    // how much of the program playback has done, out of 255
};

Picture PictureOf(const std::uint8_t* header) {
  Picture p{};
  p.width = 1 + header[0] % 96;
  p.height = 1 + header[1] % 64;
  p.stride = p.width + header[1] / 64;  // up to three pixels beyond each row
  p.zoomDoublings = header[2] % (kMaxZoomDoublings + 1);
  // 0 to 31.5 in halves, below 1 none: wider than the picture is no new case, only more pixels.
  p.kerfPixels = header[3] % 64 / 2.0;
  p.zoomAt = header[4];
  p.done = header[5];
  return p;
}

// Every pixel of the picture is one of `allowed`, and every pixel beyond a row's width is untouched.
template <std::size_t N>
void CheckPixels(const std::vector<std::uint32_t>& bits, const Picture& p, const std::uint32_t (&allowed)[N],
                 const char* rule) {
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.stride; ++x) {
      const std::uint32_t pixel = bits[static_cast<std::size_t>(y) * p.stride + x];
      if (x >= p.width) {
        Check(pixel == kRowEnd, "nothing is written beyond a row's width");
      } else {
        Check(std::find(std::begin(allowed), std::end(allowed), pixel) != std::end(allowed), rule);
      }
    }
  }
}

std::vector<std::uint32_t> Blank(const Picture& p, std::uint32_t fill) {
  std::vector<std::uint32_t> bits(static_cast<std::size_t>(p.stride) * p.height, fill);
  for (int y = 0; y < p.height; ++y) {
    std::fill_n(bits.begin() + std::ptrdiff_t{y} * p.stride + p.width, p.stride - p.width, kRowEnd);
  }
  return bits;
}

}  // namespace

// A program that loops without end must stop within the fuzzer's timeout.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  talvo::plot::ProgramLanguageLimits() = {200'000, 100, 200'000};
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeaderBytes) return 0;
  const Picture p = PictureOf(data);
  const LoadedPlot plot =
      PlotOfText(std::string(reinterpret_cast<const char*>(data) + kHeaderBytes, size - kHeaderBytes));
  const MoveList& moves = plot.program.moves;
  if (moves.empty()) return 0;

  // Fitted as the window opens, or zoomed in about a move's end.
  ViewMapping view = ViewMapping::Fit(plot.program.extents, p.width, p.height, 4);
  if (p.zoomDoublings > 0) {
    const PlotMove anchor = moves[p.zoomAt * moves.size() / 256];
    view.centreX = anchor.end.x;
    view.centreY = anchor.end.y;
    view = view.ZoomedAbout(p.width / 2.0, p.height / 2.0, static_cast<double>(1 << p.zoomDoublings));
  }

  for (const ScreenPoint& mark : PierceMarks(plot.program, view)) {
    Check(mark.x >= 0 && mark.y >= 0, "a pierce mark is kept only where the picture is");
  }
  std::vector<std::uint32_t> bits = Blank(p, palette::kBackground);
  const PixelBuffer picture{bits.data(), p.stride, p.width, p.height};
  WriteKerfBand(picture, plot, view, p.kerfPixels);
  if (p.kerfPixels < 1) {
    CheckPixels(bits, p, {palette::kBackground}, "a band thinner than a line writes nothing");
  } else {
    CheckPixels(bits, p, {palette::kBackground, palette::kKerf}, "the band writes only its colour");
  }
  WriteMovePixels(picture, plot, view);
  CheckPixels(bits, p, {palette::kBackground, palette::kKerf, palette::kCut, palette::kRapid},
              "the moves write only the colours of cuts and rapids");

  std::vector<std::uint32_t> overlay = Blank(p, 0u);
  WriteDoneMoves({overlay.data(), p.stride, p.width, p.height}, plot, view, 0, p.done * moves.size() / 255);
  CheckPixels(overlay, p, {0u, palette::kDone}, "the done moves write only their colour on a clear overlay");
  return 0;
}
