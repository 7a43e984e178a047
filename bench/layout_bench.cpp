// Formatting on the real raster canvas: the viewer's page of 999 smilies, and
// a megabyte of plain text in 10000 paragraphs at 600 pixels, laid out once
// by the formatter and once by the toolkit's own QTextLayout in the same
// font, so that the two can be compared in one run.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QString>
#include <QTextLayout>

#include <memory>
#include <string>
#include <vector>

#include "bench/bench_text.h"
#include "platform/graphics.h"
#include "platform/qt/font_cache.h"
#include "richview/document/picture_items.h"
#include "richview/document/text_item.h"
#include "richview/layout/formatted_data.h"
#include "richview/styles/rv_style.h"

namespace {

using namespace quorix;

constexpr int kParagraphs = 10000;
constexpr int kParagraphLength = 100;  // characters: 10000 x 100 = 1 MB of text
constexpr int kTextWidth = 600;

// A document that answers the window's questions: a client area, no margins,
// the raster canvas to measure with.
class TBenchDocument : public TCustomRVFormattedData {
 public:
  explicit TBenchDocument(int Width) : width_(Width), bitmap_(1, 1), canvas_(CreateBitmapCanvas(bitmap_)) {}
  ~TBenchDocument() override { Clear(); }

  TRVStyle Style;
  TRVStyle* GetRVStyle() const override { return const_cast<TRVStyle*>(&Style); }
  TRVOptions GetOptions() const override { return {rvoFastFormatting, rvoShowItemHints}; }
  TRVFlags GetFlags() const override { return {rvflUseJumps, rvflTrim, rvflRoot, rvflCanUseCustomPPI}; }
  void SetFlags(TRVFlags) override {}
  int GetWidth() const override { return width_; }
  int GetHeight() const override { return 400; }
  TCanvas* GetFormatCanvas() override { return canvas_.get(); }

 private:
  int width_;
  TBitmap bitmap_;
  std::unique_ptr<TCanvas> canvas_;
};

std::vector<std::u16string> MakeParagraphs() { return bench::MakeParagraphs(kParagraphs, kParagraphLength); }

const std::vector<std::u16string>& Paragraphs() {
  static const std::vector<std::u16string> paragraphs = MakeParagraphs();
  return paragraphs;
}

void BM_FormatSmiliesPage(benchmark::State& state) {
  TBenchDocument doc(296);
  for (int i = 0; i < 999; ++i) {
    auto item = std::make_unique<TRVHotGraphicItemInfo>(&doc, std::make_unique<TBitmap>(31, 31), rvvaMiddle);
    item->ParaNo = i == 0 ? 1 : -1;
    doc.AddItemR("smiley", std::move(item));
  }
  for (auto _ : state) {
    doc.Format(true);
    benchmark::DoNotOptimize(doc.DocumentHeight);
  }
  state.counters["lines"] = doc.DocumentHeight / 33;
  state.SetItemsProcessed(state.iterations() * 999);
}
BENCHMARK(BM_FormatSmiliesPage)->Unit(benchmark::kMicrosecond);

void BM_FormatText(benchmark::State& state) {
  TBenchDocument doc(kTextWidth);
  for (const std::u16string& text : Paragraphs()) {
    auto item = std::make_unique<TRVTextItemInfo>(&doc);
    item->ItemOptions.Include(rvioUnicode);
    item->ParaNo = 0;
    doc.AddItem(text, std::move(item));
  }
  for (auto _ : state) {
    doc.Format(true);
    benchmark::DoNotOptimize(doc.DocumentHeight);
  }
  state.counters["lines"] = doc.DrawItems.Count();
  state.SetBytesProcessed(state.iterations() * kParagraphs * kParagraphLength * 2);
}
BENCHMARK(BM_FormatText)->Unit(benchmark::kMillisecond);

// The toolkit's layout of the same paragraphs at the same width, in the font
// the canvas selects for the text style (the style sheet's "Normal text").
void BM_QTextLayoutPeer(benchmark::State& state) {
  TRVStyle style;
  TFont font;
  style.TextStyles[0].AssignTo(font);
  font.Height = -MulDiv(style.TextStyles[0].Size, 96, 72);
  const QFont qfont = qt::FindFont(font)->Font();
  std::vector<QString> texts;
  for (const std::u16string& text : Paragraphs())
    texts.push_back(QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size())));
  long lines = 0;
  for (auto _ : state) {
    lines = 0;
    for (const QString& text : texts) {
      QTextLayout layout(text, qfont);
      layout.beginLayout();
      for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(kTextWidth);
        ++lines;
      }
      layout.endLayout();
      benchmark::DoNotOptimize(layout.boundingRect());
    }
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.SetBytesProcessed(state.iterations() * kParagraphs * kParagraphLength * 2);
}
BENCHMARK(BM_QTextLayoutPeer)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
