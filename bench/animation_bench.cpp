// Playing a page of 100 animated smilies in the rich-view control against Qt
// playing the same GIFs with 100 QLabels, each driven by its own QMovie, in
// the same run, on a page of 496 x 276 pixels (the viewer's group page).
//
// The pictures are the sample set's GIFs that have more than one frame, taken
// in turn until there are 100 of them; both sides read the same bytes.
//
//   - ours: a form with the control as the viewer places it (no border, no
//     margins), 100 hot pictures in one centred paragraph, vertically
//     middle-aligned, animation on format. The control's animation timer
//     composes each frame on the picture's own bitmap and draws it on the
//     control's window surface, which is then presented.
//   - Qt: a widget of the page size with the 100 labels placed as ours are
//     (lines filled left to right, centred, one pixel of spacing around each
//     picture, middle-aligned), each showing a QMovie that reads the GIF's
//     bytes from a QBuffer. QMovie decodes the next frame on its own timer and
//     the label repaints itself through the window's backing store.
//
// Both windows are shown off the screen (the offscreen platform, set here when
// nothing else is asked for), so everything up to the backing store is done
// and nothing is sent to a display. The two sides play in turns of a few
// seconds each, the other one paused meanwhile, and what is measured is the
// processor time of the whole process over each turn divided by its length:
// milliseconds of CPU per second of animation. The machine is shared, so each
// side plays several turns and the median is reported.
//
// Memory per smiley is reported two ways:
//
//   - by looking at our objects: what stays of each smiley between frames is
//     its GIF (the frames' stored colour indices and colour tables) and the
//     one composed bitmap of the item's size; the decoded caches of the
//     frames are released after each composition, and any that remain are
//     counted too;
//   - by the growth of the resident set (from /proc/self/statm) over building
//     and starting each page, divided by 100, after both kinds of page have
//     been made once with a single smiley so that fonts, plugins and the
//     toolkit's own first-use costs are not counted.
//
// Before the turns, each side is checked to really animate: two captures of
// its page a few hundred milliseconds apart must differ, and the frames shown
// are counted during every turn; over the check, the application's timer and
// paint events are counted too. Set ANIMATION_BENCH_PNG_DIR to a folder to
// have those captures written there as PNG files. Set ANIMATION_BENCH_SIDE to
// "ours" or "qt" to play the turns of that side only (for a profiler).

#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QList>
#include <QMovie>
#include <QPaintEvent>
#include <QRect>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "pictures/gif_image.h"
#include "platform/controls.h"
#include "platform/custom_control.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/streams.h"
#include "richview/animation/gif_animator.h"
#include "richview/control/control_data.h"
#include "richview/control/rich_view.h"
#include "richview/document/picture_items.h"
#include "richview/styles/rv_style.h"

#ifndef QUORIX_SAMPLES_DIR
#define QUORIX_SAMPLES_DIR "samples/default"
#endif

namespace {

using namespace quorix;

constexpr int kPageWidth = 496;
constexpr int kPageHeight = 276;
constexpr int kSmilies = 100;
constexpr int kSpacing = 1;        // our picture items' spacing on every side
constexpr int kTurnMs = 3000;      // one turn of one side
constexpr int kTurns = 3;          // turns per side
constexpr int kSettleMs = 500;     // played before the first measurement
constexpr int kCaptureGapMs = 1000; // between the two captures of the check

// ------------------------------------------------------------------ measuring

double ProcessCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double WallMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

long ResidentBytes() {
  long size = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &size, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

const char* PngDir() {
  const char* dir = getenv("ANIMATION_BENCH_PNG_DIR");
  return dir && *dir ? dir : nullptr;
}

// Counts the timer and paint events of the whole application while it lives,
// to see how each side schedules its work. Only used outside the timed turns:
// a filter on every event costs a little of its own.
class EventCounter : public QObject {
 public:
  EventCounter() { QCoreApplication::instance()->installEventFilter(this); }
  ~EventCounter() override { QCoreApplication::instance()->removeEventFilter(this); }
  long timers = 0;
  long paints = 0;
  long paintedPixels = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Timer) ++timers;
    if (event->type() == QEvent::Paint) {
      ++paints;
      for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) paintedPixels += r.width() * r.height();
    }
    return false;
  }
};

// ------------------------------------------------------------------ the pictures

struct Sample {
  std::string name;
  std::string bytes;
  int width = 0;
  int height = 0;
  int frames = 0;
};

// The sample folder beside the sources, else one named on the command line.
std::vector<Sample> LoadAnimatedSamples(const std::string& dir) {
  std::vector<std::string> paths;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(dir, error))
    if (entry.path().extension() == ".gif") paths.push_back(entry.path().string());
  std::sort(paths.begin(), paths.end());
  std::vector<Sample> samples;
  for (const std::string& path : paths) {
    Sample sample;
    if (ReadWholeFile(path, sample.bytes) != ReadFileResult::Ok) continue;
    TGIFImage gif;
    TMemoryStream stream = TMemoryStream::View(sample.bytes);
    try {
      gif.LoadFromStream(stream);
    } catch (const Exception&) {
      continue;
    }
    sample.frames = RV_GifFrameCount(gif);
    if (sample.frames <= 1) continue;
    sample.name = std::filesystem::path(path).stem().string();
    sample.width = gif.GetWidth();
    sample.height = gif.GetHeight();
    samples.push_back(std::move(sample));
  }
  return samples;
}

std::unique_ptr<TGIFImage> MakeGif(const Sample& sample) {
  auto gif = std::make_unique<TGIFImage>();
  TMemoryStream stream = TMemoryStream::View(sample.bytes);
  gif->LoadFromStream(stream);
  return gif;
}

// The frames per second the GIF's delays ask for, read as our animator reads
// them: no delay is 100 ms, others are kept within GIFMinimumDelay and
// GIFMaximumDelay hundredths.
double NominalFramesPerSecond(const Sample& sample) {
  const std::unique_ptr<TGIFImage> gif = MakeGif(sample);
  const int frames = RV_GifFrameCount(*gif);
  int cycleMs = 0;
  for (int i = 0; i < frames; ++i) {
    const TGIFGraphicControlExtension* control = gif->GetFrame(i).ControlExtension();
    const int delay = control ? control->GetDelay() : 0;
    cycleMs += delay == 0 ? 100 : std::clamp(delay, GIFMinimumDelay, GIFMaximumDelay) * 10;
  }
  return cycleMs > 0 ? frames * 1000.0 / cycleMs : 0;
}

const Sample& SampleFor(const std::vector<Sample>& samples, int i) { return samples[i % samples.size()]; }

// ------------------------------------------------------------------ our page

class OurPage {
 public:
  OurPage(const std::vector<Sample>& samples, int count) : rv_(std::make_unique<TRichView>(&form_)) {
    form_.SetBounds(0, 0, kPageWidth, kPageHeight);
    rv_->SetStyle(&style_);
    rv_->SetBorderStyle(bsNone);
    rv_->SetLeftMargin(0);
    rv_->SetRightMargin(0);
    rv_->SetTopMargin(0);
    rv_->SetBottomMargin(0);
    rv_->SetAnimationMode(rvaniOnFormat);
    rv_->SetBounds(0, 0, kPageWidth, kPageHeight);
    for (int i = 0; i < count; ++i) {
      const Sample& sample = SampleFor(samples, i);
      rv_->AddHotPicture(":" + sample.name, MakeGif(sample), i == 0 ? 1 : -1, rvvaMiddle);
    }
    rv_->Format();
    form_.ShowOffScreen();
  }
  ~OurPage() { rv_.reset(); }

  TRichView& View() { return *rv_; }
  void Pause() { rv_->StopAnimation(); }
  void Play() { rv_->StartAnimation(); }

  std::vector<TRVGifImageAnimator*> Animators() const {
    std::vector<TRVGifImageAnimator*> animators;
    for (int i = 0; i < rv_->RVData().GetItemCount(); ++i) {
      auto* item = dynamic_cast<TRVGraphicItemInfo*>(rv_->GetItem(i));
      if (!item) continue;
      if (auto* animator = dynamic_cast<TRVGifImageAnimator*>(item->Animator.get())) animators.push_back(animator);
    }
    return animators;
  }

  long ComposedFrames() const {
    long frames = 0;
    for (const TRVGifImageAnimator* animator : Animators()) frames += animator->ComposedFrames;
    return frames;
  }

  // The surface, as the window shows it.
  TBitmap Capture() const { return rv_->Surface(); }

 private:
  TForm form_;
  TRVStyle style_;
  std::unique_ptr<TRichView> rv_;
};

bool SameBitmaps(const TBitmap& a, const TBitmap& b) {
  if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()) return false;
  return std::memcmp(a.Pixels(), b.Pixels(), sizeof(TPixel) * a.GetWidth() * a.GetHeight()) == 0;
}

// What stays of one page's smilies between frames, by looking at the objects.
struct OurMemory {
  int animators = 0;
  std::size_t storedIndices = 0;  // the frames' colour indices, one byte a pixel
  std::size_t colorTables = 0;
  std::size_t composed = 0;        // the composed bitmaps (and any background copies)
  std::size_t leftoverCaches = 0;  // decoded frame bitmaps still held
  int framesWithCaches = 0;
  std::size_t fileBytes = 0;       // the GIF files themselves, for comparison
};

OurMemory InspectOurs(const OurPage& page, const std::vector<Sample>& samples) {
  OurMemory memory;
  int i = 0;
  for (TRVGifImageAnimator* animator : page.Animators()) {
    ++memory.animators;
    auto* item = dynamic_cast<TRVGraphicItemInfo*>(animator->ItemInfo);
    const auto* gif = item ? dynamic_cast<const TGIFImage*>(item->Image.get()) : nullptr;
    if (gif) {
      memory.storedIndices += gif->StoredPixelCount();
      memory.colorTables += gif->GlobalColorTable().size() * sizeof(TGIFColor);
      for (int f = 0; f < gif->GetCount(); ++f) {
        const TGIFFrame& frame = gif->GetFrame(f);
        memory.colorTables += frame.LocalColorTable().size() * sizeof(TGIFColor);
        if (frame.HasBitmap() || frame.HasMask()) {
          ++memory.framesWithCaches;
          if (const TBitmap* bitmap = frame.Bitmap())
            memory.leftoverCaches += sizeof(TPixel) * bitmap->GetWidth() * bitmap->GetHeight();
        }
      }
    }
    for (const TBitmap* bitmap : {animator->FrameBitmap.get(), animator->BackgroundBitmap.get()})
      if (bitmap) memory.composed += sizeof(TPixel) * bitmap->GetWidth() * bitmap->GetHeight();
    memory.fileBytes += SampleFor(samples, i++).bytes.size();
  }
  return memory;
}

// ------------------------------------------------------------------ Qt's page

class QtPage {
 public:
  QtPage(const std::vector<Sample>& samples, int count) {
    page_.setAttribute(Qt::WA_DontShowOnScreen);
    page_.setFixedSize(kPageWidth, kPageHeight);
    page_.setAutoFillBackground(true);
    QPalette palette = page_.palette();
    palette.setColor(QPalette::Window, Qt::white);
    page_.setPalette(palette);

    // Our paragraph's lines: pictures with their spacing, wrapped at the page
    // width, each line centred, each picture in the middle of its line.
    struct Place { int line, x, width, height; };
    std::vector<Place> places;
    std::vector<int> lineWidth, lineHeight;
    for (int i = 0; i < count; ++i) {
      const Sample& sample = SampleFor(samples, i);
      const int w = sample.width + 2 * kSpacing;
      const int h = sample.height + 2 * kSpacing;
      if (lineWidth.empty() || lineWidth.back() + w > kPageWidth) {
        lineWidth.push_back(0);
        lineHeight.push_back(0);
      }
      places.push_back({static_cast<int>(lineWidth.size()) - 1, lineWidth.back(), sample.width, sample.height});
      lineWidth.back() += w;
      lineHeight.back() = std::max(lineHeight.back(), h);
    }
    std::vector<int> lineTop(lineHeight.size(), 0);
    for (std::size_t l = 1; l < lineHeight.size(); ++l) lineTop[l] = lineTop[l - 1] + lineHeight[l - 1];

    for (int i = 0; i < count; ++i) {
      const Sample& sample = SampleFor(samples, i);
      const Place& place = places[i];
      auto movie = std::make_unique<Movie>();
      movie->bytes = QByteArray(sample.bytes.data(), static_cast<qsizetype>(sample.bytes.size()));
      movie->buffer.setData(movie->bytes);
      movie->buffer.open(QIODevice::ReadOnly);
      movie->movie.setDevice(&movie->buffer);
      movie->movie.setFormat("gif");
      auto* label = new QLabel(&page_);  // the page owns its labels
      label->setMovie(&movie->movie);
      const int x = (kPageWidth - lineWidth[place.line]) / 2 + place.x + kSpacing;
      const int y = lineTop[place.line] + (lineHeight[place.line] - place.height) / 2;
      label->setGeometry(x, y, place.width, place.height);
      QObject::connect(&movie->movie, &QMovie::frameChanged, [this](int) { ++framesShown_; });
      movie->movie.start();
      movies_.push_back(std::move(movie));
    }
    page_.show();
  }
  ~QtPage() {
    for (auto& movie : movies_) movie->movie.stop();
  }

  void Pause() {
    for (auto& movie : movies_) movie->movie.setPaused(true);
  }
  void Play() {
    for (auto& movie : movies_) movie->movie.setPaused(false);
  }
  long FramesShown() const { return framesShown_; }
  long FrameNumberSum() const {
    long sum = 0;
    for (const auto& movie : movies_) sum += movie->movie.currentFrameNumber();
    return sum;
  }
  bool AllValid() const {
    return std::all_of(movies_.begin(), movies_.end(), [](const auto& m) { return m->movie.isValid(); });
  }

  QImage Capture() { return page_.grab().toImage(); }

 private:
  struct Movie {
    QByteArray bytes;
    QBuffer buffer;
    QMovie movie;
  };

  QWidget page_;
  std::vector<std::unique_ptr<Movie>> movies_;  // declared after the page: they go first
  long framesShown_ = 0;
};

// ------------------------------------------------------------------ the turns

void RunEventLoop(int ms) { Application().RunFor(ms); }

struct Turn {
  double cpuMsPerSecond = 0;
  double framesPerSecond = 0;
};

template <class Page, class Frames>
Turn PlayTurn(Page& page, Frames frames) {
  page.Play();
  const long framesBefore = frames();
  const double cpuBefore = ProcessCpuMs();
  const double wallBefore = WallMs();
  RunEventLoop(kTurnMs);
  const double seconds = (WallMs() - wallBefore) / 1e3;
  const double cpu = ProcessCpuMs() - cpuBefore;
  const long shown = frames() - framesBefore;
  page.Pause();
  return {cpu / seconds, shown / seconds};
}

void PrintEvents(const char* side, const EventCounter& counter) {
  const double seconds = kCaptureGapMs / 1e3;
  std::printf("%s: %.0f timer events/s, %.0f paint events/s painting %.0f pixels/s\n", side, counter.timers / seconds,
              counter.paints / seconds, counter.paintedPixels / seconds);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Application().Initialize(argc, argv);
  Application().OnException = [](const Exception& e) { std::fprintf(stderr, "exception: %s\n", e.what()); };

  const std::string dir = argc > 1 ? argv[1] : QUORIX_SAMPLES_DIR;
  const std::vector<Sample> samples = LoadAnimatedSamples(dir);
  if (samples.empty()) {
    std::fprintf(stderr, "no animated GIF in %s (give the sample folder as the argument)\n", dir.c_str());
    return 1;
  }
  std::printf("%zu animated GIFs from the sample set:", samples.size());
  for (const Sample& s : samples) std::printf(" %s (%d x %d, %d frames)", s.name.c_str(), s.width, s.height, s.frames);
  std::printf("\n");

  const QList<QByteArray> formats = QMovie::supportedFormats();
  const bool qtHasGif = formats.contains("gif");
  if (!qtHasGif)
    std::printf("Qt's QMovie does not support GIF here (no imageformats/libqgif.so plugin): Qt's side is skipped\n");

  // First use of everything on both sides, not counted.
  {
    OurPage warm(samples, 1);
    RunEventLoop(100);
    if (qtHasGif) {
      QtPage qtWarm(samples, 1);
      RunEventLoop(100);
    }
    RunEventLoop(50);
  }

  // ---- build both pages, measuring the resident set over each
  const long rssBeforeOurs = ResidentBytes();
  auto ours = std::make_unique<OurPage>(samples, kSmilies);
  RunEventLoop(kSettleMs);
  const long rssOurs = ResidentBytes() - rssBeforeOurs;
  ours->Pause();

  std::unique_ptr<QtPage> qt;
  long rssQt = 0;
  if (qtHasGif) {
    const long rssBeforeQt = ResidentBytes();
    qt = std::make_unique<QtPage>(samples, kSmilies);
    RunEventLoop(kSettleMs);
    rssQt = ResidentBytes() - rssBeforeQt;
    qt->Pause();
    if (!qt->AllValid()) std::fprintf(stderr, "Qt: some QMovie cannot read its GIF\n");
  }

  // ---- do both really animate?
  const OurMemory memory = InspectOurs(*ours, samples);
  if (memory.animators != kSmilies)
    std::fprintf(stderr, "ours: %d of %d pictures have a GIF animator\n", memory.animators, kSmilies);
  {
    ours->Play();
    const TBitmap first = ours->Capture();
    auto counter = std::make_unique<EventCounter>();
    RunEventLoop(kCaptureGapMs);
    const TBitmap second = ours->Capture();
    PrintEvents("ours", *counter);
    counter.reset();
    ours->Pause();
    std::printf("ours: the page %s between two captures %d ms apart\n",
                SameBitmaps(first, second) ? "DOES NOT CHANGE" : "changes", kCaptureGapMs);
    if (const char* png = PngDir()) {
      first.SaveToPngFile(std::string(png) + "/ours-1.png");
      second.SaveToPngFile(std::string(png) + "/ours-2.png");
    }
  }
  if (qt) {
    qt->Play();
    const QImage first = qt->Capture();
    const long numbers = qt->FrameNumberSum();
    auto counter = std::make_unique<EventCounter>();
    RunEventLoop(kCaptureGapMs);
    PrintEvents("Qt", *counter);
    counter.reset();
    const QImage second = qt->Capture();
    const long numbersLater = qt->FrameNumberSum();
    qt->Pause();
    std::printf("Qt: the page %s between two captures %d ms apart; the movies' frame numbers %s\n",
                first == second ? "DOES NOT CHANGE" : "changes", kCaptureGapMs,
                numbers == numbersLater ? "DO NOT MOVE" : "move");
    if (const char* png = PngDir()) {
      first.save(QString::fromLocal8Bit(png) + "/qt-1.png");
      second.save(QString::fromLocal8Bit(png) + "/qt-2.png");
    }
  }

  // ---- the turns, alternating
  const char* side = getenv("ANIMATION_BENCH_SIDE");
  const bool playOurs = !side || std::strcmp(side, "qt") != 0;
  const bool playQt = !side || std::strcmp(side, "ours") != 0;
  std::vector<double> ourCpu, ourFrames, qtCpu, qtFrames;
  for (int turn = 0; turn < kTurns; ++turn) {
    std::printf("turn %d", turn + 1);
    if (playOurs) {
      const Turn o = PlayTurn(*ours, [&] { return ours->ComposedFrames(); });
      ourCpu.push_back(o.cpuMsPerSecond);
      ourFrames.push_back(o.framesPerSecond);
      std::printf("  ours: %7.1f ms CPU/s, %6.0f frames/s", o.cpuMsPerSecond, o.framesPerSecond);
    }
    if (qt && playQt) {
      const Turn q = PlayTurn(*qt, [&] { return qt->FramesShown(); });
      qtCpu.push_back(q.cpuMsPerSecond);
      qtFrames.push_back(q.framesPerSecond);
      std::printf("   Qt: %7.1f ms CPU/s, %6.0f frames/s", q.cpuMsPerSecond, q.framesPerSecond);
    }
    std::printf("\n");
  }

  // ---- memory, looked at once more after the turns
  const OurMemory after = InspectOurs(*ours, samples);
  const double n = std::max(after.animators, 1);

  std::printf("\nA page of %d animated smilies, %d x %d, %d turns of %d ms per side\n", kSmilies, kPageWidth,
              kPageHeight, kTurns, kTurnMs);
  std::printf("%-44s %10s %10s\n", "", "ours", "Qt");
  std::printf("%-44s %10.1f", "median CPU ms per second of animation", Median(ourCpu));
  if (qt) std::printf(" %10.1f", Median(qtCpu));
  std::printf("\n%-44s %10.0f", "median frames shown per second", Median(ourFrames));
  if (qt) std::printf(" %10.0f", Median(qtFrames));
  double nominal = 0;
  for (int i = 0; i < kSmilies; ++i) nominal += NominalFramesPerSecond(SampleFor(samples, i));
  std::printf("\n%-44s %10.0f %10s", "frames per second the delays ask for", nominal, "");
  std::printf("\n%-44s %10.0f", "resident set growth per smiley (bytes)", rssOurs / double(kSmilies));
  if (qt) std::printf(" %10.0f", rssQt / double(kSmilies));
  std::printf("\n");
  if (Median(ourCpu) > 0 && Median(qtCpu) > 0)
    std::printf("ratio of CPU time, ours / Qt's: %.2f (at most 0.5 is the aim)\n", Median(ourCpu) / Median(qtCpu));

  std::printf("\nOurs between frames, by looking at the objects (average per smiley, bytes):\n");
  std::printf("  stored colour indices of the frames %8.0f\n", after.storedIndices / n);
  std::printf("  colour tables                       %8.0f\n", after.colorTables / n);
  std::printf("  composed bitmap (and background)    %8.0f\n", after.composed / n);
  std::printf("  decoded frame caches left           %8.0f (%d frames still hold a cache)\n",
              after.leftoverCaches / n, after.framesWithCaches);
  std::printf("  total                               %8.0f\n",
              (after.storedIndices + after.colorTables + after.composed + after.leftoverCaches) / n);
  std::printf("  (the GIF files themselves: %.0f bytes per smiley)\n", after.fileBytes / n);

  qt.reset();
  ours.reset();
  Application().Finalize();
  return 0;
}
