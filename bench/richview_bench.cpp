// Painting in the rich-view control against Qt's QTextBrowser showing the same
// content in the same run, on a page of 496 x 276 pixels (the viewer's group
// page):
//
//   - a full paint of the first page of the viewer's 999 smilies (hot pictures
//     of 19 to 40 pixels, one centred paragraph, vertically middle-aligned),
//   - a full paint of the first page of a megabyte of text in 10000 paragraphs,
//   - a 10-pixel scroll of each (one vertical unit), alternately down and up
//     so that the position stays inside the document.
//
// Both sides paint into a retained bitmap, without presenting anything on a
// screen, so that what is timed is the painting itself:
//
//   - ours: Invalidate + Update paints the whole client area onto the
//     control's window surface; a scroll moves the surface pixels and paints
//     the uncovered 10-pixel band, as the control does for the scroll bar.
//   - Qt: QWidget::render of the browser's viewport into a QImage of the page
//     size. render() keeps no surface of its own (on a screen the backing
//     store does, and a widget scroll there also moves pixels and repaints the
//     exposed band), so for the scroll the QImage stands in for that surface:
//     the scroll bar moves the view by 10 pixels, the image's rows are moved
//     by the same amount and only the uncovered band is rendered. That is the
//     same work the backing store would do, minus its bookkeeping, and Qt's
//     fairest case; re-rendering the whole viewport instead would simply cost
//     a full paint. The browser is hidden while timed (after its layout is
//     done and a first render), so its scrolling does not also move pixels in
//     a backing store nobody reads.
//
// Before timing, each side's page is scrolled down and up once and compared
// with a full paint at the same position; a difference goes to standard error.
// The content is the same on both sides: the same picture sizes and colours,
// Qt's default font being the one the canvas selects for the style sheet's
// "Normal text", no frames, no margins. The two text pages come out the same
// to the pixel; on the picture pages the same pictures fall on the same
// lines, Qt's lines each a pixel shorter (its middle alignment).
//
// Set RICHVIEW_BENCH_PNG_DIR to a folder to have the first page of each side
// written there as PNG files, to see that both really show the content.
//
// After the runs, a summary prints the median processor time of each
// measurement for both sides and Qt's time divided by ours.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QString>
#include <QTextBlockFormat>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/custom_control.h"
#include "bench/bench_text.h"
#include "platform/graphics.h"
#include "platform/qt/font_cache.h"
#include "richview/control/rich_view.h"
#include "richview/styles/rv_style.h"

namespace {

using namespace quorix;

constexpr int kPageWidth = 496;
constexpr int kPageHeight = 276;
constexpr int kSmilies = 999;
constexpr int kParagraphs = 10000;
constexpr int kParagraphLength = 100;  // characters: 10000 x 100 = 1 MB of text
constexpr int kScrollPixels = 10;      // one vertical unit of the control

// The sizes vary as in a real set, the same every run.
int PictureSize(int i) { return 19 + (i * 7) % 22; }
TColor PictureColor(int i) { return RGB((i * 37) & 0xFF, (i * 91) & 0xFF, 0x40 + (i * 53) % 0xC0); }

std::vector<std::u16string> MakeParagraphs() { return bench::MakeParagraphs(kParagraphs, kParagraphLength); }

QString ToQString(const std::u16string& text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

// Where the sanity pictures go, when asked for.
const char* PngDir() {
  const char* dir = getenv("RICHVIEW_BENCH_PNG_DIR");
  return dir && *dir ? dir : nullptr;
}

// ------------------------------------------------------------------ our control

// The control as the viewer places it, with no border and no margins, so that
// its client area is the page once the vertical bar shows.
class OurPage {
 public:
  explicit OurPage(const char* name) : name_(name) {
    form_.SetBounds(0, 0, 600, 400);
    rv_ = std::make_unique<TRichView>(&form_);
    rv_->SetStyle(&style_);
    rv_->SetBorderStyle(bsNone);
    rv_->SetLeftMargin(0);
    rv_->SetRightMargin(0);
    rv_->SetTopMargin(0);
    rv_->SetBottomMargin(0);
    rv_->SetVScrollVisible(true);
    rv_->SetBounds(0, 0, kPageWidth + ScrollBarSize, kPageHeight);
  }
  ~OurPage() { rv_.reset(); }

  TRichView& View() { return *rv_; }

  // Formats, checks the page size, paints once and checks scrolling.
  void Finish() {
    rv_->Format();
    if (rv_->ClientWidth() != kPageWidth || rv_->ClientHeight() != kPageHeight)
      std::fprintf(stderr, "%s: client area %d x %d, not %d x %d\n", name_, rv_->ClientWidth(),
                   rv_->ClientHeight(), kPageWidth, kPageHeight);
    PaintAll();
    if (const char* dir = PngDir()) rv_->Surface().SaveToPngFile(std::string(dir) + "/" + name_ + ".png");
    CheckScroll(true);
    CheckScroll(false);
  }

  void PaintAll() {
    rv_->Invalidate();
    rv_->Update();
  }
  void Scroll(bool down) { rv_->SetVScrollPos(rv_->VPos() + (down ? 1 : -1)); }

 private:
  // The scrolled surface must be what a full paint at that position gives.
  void CheckScroll(bool down) {
    Scroll(down);
    const TBitmap scrolled = rv_->Surface();
    PaintAll();
    const TBitmap& painted = rv_->Surface();
    const std::size_t bytes = static_cast<std::size_t>(painted.GetWidth()) * painted.GetHeight() * sizeof(TPixel);
    if (scrolled.GetWidth() != painted.GetWidth() || scrolled.GetHeight() != painted.GetHeight() ||
        std::memcmp(scrolled.Pixels(), painted.Pixels(), bytes) != 0)
      std::fprintf(stderr, "%s: scrolling %s leaves a surface unlike a full paint\n", name_, down ? "down" : "up");
  }

  const char* name_;
  TForm form_;
  TRVStyle style_;
  std::unique_ptr<TRichView> rv_;
};

std::unique_ptr<OurPage> MakeOurPictures() {
  auto page = std::make_unique<OurPage>("ours-pictures");
  for (int i = 0; i < kSmilies; ++i) {
    auto picture = std::make_unique<TBitmap>(PictureSize(i), PictureSize(i));
    picture->Fill(PictureColor(i));
    page->View().AddHotPicture(":" + std::to_string(i), std::move(picture), i == 0 ? 1 : -1, rvvaMiddle);
  }
  page->Finish();
  return page;
}

std::unique_ptr<OurPage> MakeOurText(const std::vector<std::u16string>& paragraphs) {
  auto page = std::make_unique<OurPage>("ours-text");
  for (const std::u16string& text : paragraphs) page->View().AddNL(text, 0, 0);
  page->Finish();
  return page;
}

// ------------------------------------------------------------------ Qt's browser

class QtPage {
 public:
  explicit QtPage(const char* name) : name_(name), image_(kPageWidth, kPageHeight, QImage::Format_RGB32) {
    browser_.setAttribute(Qt::WA_DontShowOnScreen);
    browser_.setFrameShape(QFrame::NoFrame);
    browser_.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    browser_.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    browser_.document()->setDocumentMargin(0);
    browser_.document()->setDefaultFont(NormalTextFont());
  }

  QTextBrowser& Browser() { return browser_; }

  // Lays the document out for the page, renders once and checks scrolling.
  void Finish() {
    // The viewport is what is left of the widget beside the bar; size the
    // widget so that it is exactly the page.
    browser_.resize(kPageWidth + browser_.verticalScrollBar()->sizeHint().width(), kPageHeight);
    browser_.show();
    QCoreApplication::processEvents();
    const QSize viewport = browser_.viewport()->size();
    browser_.resize(browser_.width() + kPageWidth - viewport.width(), browser_.height() + kPageHeight - viewport.height());
    QCoreApplication::processEvents();
    if (browser_.viewport()->size() != QSize(kPageWidth, kPageHeight))
      std::fprintf(stderr, "%s: viewport %d x %d, not %d x %d\n", name_, browser_.viewport()->width(),
                   browser_.viewport()->height(), kPageWidth, kPageHeight);
    // The layout runs in steps from a timer; asking for the size finishes it,
    // and the bar takes the final range from the events that follow.
    browser_.document()->size();
    browser_.hide();
    QCoreApplication::processEvents();
    // Building moved the browser's own cursor to the end, and showing scrolled
    // to it: start on the first page, as ours does.
    browser_.verticalScrollBar()->setValue(0);
    PaintAll();
    if (const char* dir = PngDir()) image_.save(QString::fromLocal8Bit(dir) + "/" + name_ + ".png");
    CheckScroll(true);
    CheckScroll(false);
  }

  void PaintAll() { browser_.viewport()->render(&image_); }

  // The view moves by one unit; the retained rows move with it and only the
  // band they uncover is rendered.
  void Scroll(bool down) {
    QScrollBar* bar = browser_.verticalScrollBar();
    bar->setValue(bar->value() + (down ? kScrollPixels : -kScrollPixels));
    uchar* bits = image_.bits();
    const qsizetype line = image_.bytesPerLine();
    const std::size_t kept = static_cast<std::size_t>(line) * (kPageHeight - kScrollPixels);
    QRect band;
    if (down) {
      std::memmove(bits, bits + line * kScrollPixels, kept);
      band = QRect(0, kPageHeight - kScrollPixels, kPageWidth, kScrollPixels);
    } else {
      std::memmove(bits + line * kScrollPixels, bits, kept);
      band = QRect(0, 0, kPageWidth, kScrollPixels);
    }
    browser_.viewport()->render(&image_, band.topLeft(), QRegion(band));
  }

 private:
  static QFont NormalTextFont() {
    TRVStyle style;
    TFont font;
    style.TextStyles[0].AssignTo(font);
    font.Height = -MulDiv(style.TextStyles[0].Size, 96, 72);
    return qt::FindFont(font)->Font();
  }

  // Qt places middle-aligned pictures at fractional heights, and a picture cut
  // by the top of the viewport may end a pixel higher than the same picture
  // further down; a few such edge pixels are not a wrong scroll, a shifted or
  // missing band is.
  void CheckScroll(bool down) {
    Scroll(down);
    const QImage scrolled = image_.copy();
    PaintAll();
    int different = 0;
    for (int y = 0; y < kPageHeight; ++y) {
      const QRgb* a = reinterpret_cast<const QRgb*>(scrolled.constScanLine(y));
      const QRgb* b = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
      for (int x = 0; x < kPageWidth; ++x) different += a[x] != b[x];
    }
    if (different > kPageWidth * kPageHeight / 200)
      std::fprintf(stderr, "%s: scrolling %s leaves an image unlike a full render (%d pixels differ)\n", name_,
                   down ? "down" : "up", different);
  }

  const char* name_;
  QTextBrowser browser_;
  QImage image_;
};

std::unique_ptr<QtPage> MakeQtPictures() {
  auto page = std::make_unique<QtPage>("qt-pictures");
  QTextDocument* document = page->Browser().document();
  QTextCursor cursor(document);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  cursor.setBlockFormat(centred);
  for (int i = 0; i < kSmilies; ++i) {
    const QString name = QStringLiteral("smiley:%1").arg(i);
    // Our pictures keep a pixel of spacing on every side and Qt's inline
    // images have none; Qt's pictures carry that pixel as a frame of the page
    // colour, so that both pages have the same lines with the same pictures.
    const TColor color = PictureColor(i);
    const int size = PictureSize(i);
    QImage picture(size + 2, size + 2, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.fillRect(1, 1, size, size, QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
    painter.end();
    document->addResource(QTextDocument::ImageResource, QUrl(name), QPixmap::fromImage(picture));
    QTextImageFormat image;
    image.setName(name);
    image.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    cursor.insertImage(image);
  }
  page->Finish();
  return page;
}

std::unique_ptr<QtPage> MakeQtText(const std::vector<std::u16string>& paragraphs) {
  auto page = std::make_unique<QtPage>("qt-text");
  QString text;
  text.reserve(kParagraphs * (kParagraphLength + 1));
  for (const std::u16string& paragraph : paragraphs) {
    if (!text.isEmpty()) text += QLatin1Char('\n');
    text += ToQString(paragraph);
  }
  page->Browser().setPlainText(text);
  page->Finish();
  return page;
}

// ------------------------------------------------------------------ the pages, made once

struct Pages {
  std::vector<std::u16string> paragraphs = MakeParagraphs();
  std::unique_ptr<OurPage> ourPictures = MakeOurPictures();
  std::unique_ptr<OurPage> ourText = MakeOurText(paragraphs);
  std::unique_ptr<QtPage> qtPictures = MakeQtPictures();
  std::unique_ptr<QtPage> qtText = MakeQtText(paragraphs);
};

std::unique_ptr<Pages> pages;

template <class Page>
void PaintPage(benchmark::State& state, Page& page) {
  for (auto _ : state) page.PaintAll();
}

template <class Page>
void ScrollPage(benchmark::State& state, Page& page) {
  bool down = true;
  for (auto _ : state) {
    page.Scroll(down);
    down = !down;
  }
  // Leave the page where it started, whatever the number of iterations.
  if (!down) page.Scroll(false);
}

void BM_PaintPictures_Ours(benchmark::State& state) { PaintPage(state, *pages->ourPictures); }
void BM_PaintPictures_Qt(benchmark::State& state) { PaintPage(state, *pages->qtPictures); }
void BM_PaintText_Ours(benchmark::State& state) { PaintPage(state, *pages->ourText); }
void BM_PaintText_Qt(benchmark::State& state) { PaintPage(state, *pages->qtText); }
void BM_ScrollPictures_Ours(benchmark::State& state) { ScrollPage(state, *pages->ourPictures); }
void BM_ScrollPictures_Qt(benchmark::State& state) { ScrollPage(state, *pages->qtPictures); }
void BM_ScrollText_Ours(benchmark::State& state) { ScrollPage(state, *pages->ourText); }
void BM_ScrollText_Qt(benchmark::State& state) { ScrollPage(state, *pages->qtText); }

BENCHMARK(BM_PaintPictures_Ours)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintPictures_Qt)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintText_Ours)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintText_Qt)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollPictures_Ours)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollPictures_Qt)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollText_Ours)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollText_Qt)->Unit(benchmark::kMicrosecond);

// ------------------------------------------------------------------ the summary

// The console output as usual, and every run's time kept by name, so that the
// two sides of each measurement can be set side by side at the end.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  // A reporter of our own does not get the colour flag applied; colour only on a terminal.
  SummaryReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      // Processor time: the machine is shared, and wall time also counts
      // whatever else ran meanwhile; both sides run on one thread.
      const double microseconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e6;
      times_[run.run_name.function_name].push_back(microseconds);
    }
  }

  void PrintSummary() {
    static const char* const kMeasurements[][2] = {
        {"BM_PaintPictures", "full page of 999 pictures"},
        {"BM_PaintText", "full page of 1 MB of text"},
        {"BM_ScrollPictures", "10-px scroll of the pictures"},
        {"BM_ScrollText", "10-px scroll of the text"},
    };
    std::printf("\nMedian CPU time (us per operation); ratio = Qt / ours (above 1: ours is faster)\n");
    std::printf("%-30s %12s %12s %8s\n", "", "ours", "Qt", "ratio");
    for (const auto& [name, title] : kMeasurements) {
      const double ours = Median(std::string(name) + "_Ours");
      const double qt = Median(std::string(name) + "_Qt");
      if (ours <= 0 || qt <= 0) continue;  // filtered out
      std::printf("%-30s %12.1f %12.1f %8.2f\n", title, ours, qt, qt / ours);
    }
  }

 private:
  double Median(const std::string& name) {
    auto found = times_.find(name);
    if (found == times_.end() || found->second.empty()) return 0;
    std::vector<double> times = found->second;
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
  }

  std::map<std::string, std::vector<double>> times_;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  quorix::Application().Initialize(argc, argv);
  pages = std::make_unique<Pages>();
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintSummary();
  pages.reset();
  benchmark::Shutdown();
  return 0;
}
