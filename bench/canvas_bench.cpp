// Measuring and drawing speed of the raster canvas. The QTextLayout runs are
// the toolkit's own line measuring on the same strings, for comparison.

#include <QFont>
#include <QString>
#include <QTextLayout>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/graphics.h"
#include "platform/qt/font_cache.h"

namespace quorix {
namespace {

const std::vector<std::u16string>& Phrases() {
  static const std::vector<std::u16string> phrases = {
      u"Hello",
      u"Smilies set",
      u"The quick brown fox",
      u"Привет, как твои дела?",
      u"A picture is worth a thousand words",
      u"Layout breaks lines at spaces, hyphens and after punctuation marks",
      u"Ten words of ordinary text make a typical line in a chat",
  };
  return phrases;
}

struct Fixture {
  Fixture() : bitmap(200, 100) {
    bitmap.Canvas().Font.Name = u"Arial";
    bitmap.Canvas().Font.SetSize(10);
  }
  TBitmap bitmap;
};

void BM_TextExtent(benchmark::State& state) {
  Fixture f;
  TCanvas& canvas = f.bitmap.Canvas();
  const auto& phrases = Phrases();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(canvas.TextExtent(phrases[i]));
    i = (i + 1) % phrases.size();
  }
}
BENCHMARK(BM_TextExtent);

void BM_TextExtentFit(benchmark::State& state) {
  Fixture f;
  TCanvas& canvas = f.bitmap.Canvas();
  const auto& phrases = Phrases();
  std::vector<int> dx;
  std::size_t i = 0;
  int fit = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(canvas.TextExtentFit(phrases[i], 150, fit, &dx));
    i = (i + 1) % phrases.size();
  }
}
BENCHMARK(BM_TextExtentFit);

// Switching between two fonts on every call, as formatting does between styles.
void BM_TextExtentAlternatingFonts(benchmark::State& state) {
  Fixture f;
  TCanvas& canvas = f.bitmap.Canvas();
  const auto& phrases = Phrases();
  std::size_t i = 0;
  for (auto _ : state) {
    canvas.Font.Style = (i % 2) ? TFontStyles{fsBold} : TFontStyles{};
    benchmark::DoNotOptimize(canvas.TextExtent(phrases[i % phrases.size()]));
    ++i;
  }
}
BENCHMARK(BM_TextExtentAlternatingFonts);

void BM_QTextLayoutWidth(benchmark::State& state) {
  Fixture f;
  TCanvas& canvas = f.bitmap.Canvas();
  canvas.TextWidth(u"x");  // brings up the application
  TFont font;
  font.Name = u"Arial";
  font.SetSize(10);
  const QFont qfont = qt::FindFont(font)->Font();
  std::vector<QString> phrases;
  for (const auto& p : Phrases()) phrases.push_back(QString::fromStdU16String(p));
  std::size_t i = 0;
  for (auto _ : state) {
    QTextLayout layout(phrases[i], qfont);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    benchmark::DoNotOptimize(line.naturalTextWidth());
    i = (i + 1) % phrases.size();
  }
}
BENCHMARK(BM_QTextLayoutWidth);

void BM_TextOut(benchmark::State& state) {
  Fixture f;
  TCanvas& canvas = f.bitmap.Canvas();
  canvas.Brush.Style = bsClear;
  for (auto _ : state) canvas.TextOut(2, 2, u"The quick brown fox");
}
BENCHMARK(BM_TextOut);

void BM_FillRect(benchmark::State& state) {
  Fixture f;
  TCanvas& canvas = f.bitmap.Canvas();
  canvas.Brush.Color = clBlue;
  for (auto _ : state) canvas.FillRect(Rect(10, 10, 42, 42));
}
BENCHMARK(BM_FillRect);

TBitmap Picture32() {
  TBitmap b(32, 32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) b.Scanline(y)[x] = PixelFromColor(RGB(x * 8, y * 8, 128));
  }
  return b;
}

void BM_StretchDrawBitmap(benchmark::State& state) {
  Fixture f;
  TCanvas& canvas = f.bitmap.Canvas();
  const TBitmap picture = Picture32();
  const int size = static_cast<int>(state.range(0));
  for (auto _ : state) canvas.StretchDrawBitmap(Rect(0, 0, size, size), picture);
}
BENCHMARK(BM_StretchDrawBitmap)->Arg(32)->Arg(64);

void BM_StretchDrawMasked(benchmark::State& state) {
  Fixture f;
  TCanvas& canvas = f.bitmap.Canvas();
  const TBitmap picture = Picture32();
  TMask mask{32, 32, std::vector<std::uint8_t>(32 * 32)};
  for (std::size_t i = 0; i < mask.Transparent.size(); i += 3) mask.Transparent[i] = 1;
  for (auto _ : state) canvas.StretchDrawMasked(Rect(0, 0, 32, 32), picture, mask);
}
BENCHMARK(BM_StretchDrawMasked);

}  // namespace
}  // namespace quorix

BENCHMARK_MAIN();
