// GIF decoding: our TGIFImage::LoadFromStream against giflib's DGifSlurp on
// the same files in the same run.
//
//   gif_decode_bench [DIR] [benchmark flags]
//
// DIR (or the environment variable QUORIX_GIF_CORPUS) is a directory of .gif
// files. Without one, a corpus is written with our GIF writer into a
// temporary directory: 300 small animated GIFs (20-60 pixels, 2-12 frames,
// flat shapes with noise over them, as smilies are) and a few large ones
// (800 x 600, 1920 x 1080). Before timing, every file is decoded by both and
// the colour indices compared. After the runs, a line per corpus part gives
// both times and the ratio giflib / ours.

#include <benchmark/benchmark.h>
#include <gif_lib.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "pictures/gif_image.h"
#include "pictures/gif_writer.h"
#include "platform/streams.h"

namespace {

using namespace quorix;

struct Corpus {
  std::vector<std::string> Small;  // files under 64 KiB
  std::vector<std::string> Large;
};

Corpus& TheCorpus() {
  static Corpus corpus;
  return corpus;
}

// ------------------------------------------------------------ the corpus

// Flat shapes (rectangles and discs) over a background, then noise: some
// pixels moved to a neighbouring index, as dithering and anti-aliasing do.
std::vector<std::uint8_t> ShapesWithNoise(std::mt19937& rng, int w, int h, int colors, int shapes, int noisePercent) {
  std::vector<std::uint8_t> v(static_cast<std::size_t>(w) * h, static_cast<std::uint8_t>(rng() % colors));
  for (int s = 0; s < shapes; ++s) {
    const int cx = static_cast<int>(rng() % w), cy = static_cast<int>(rng() % h);
    const int rx = 1 + static_cast<int>(rng() % std::max(1, w / 3)), ry = 1 + static_cast<int>(rng() % std::max(1, h / 3));
    const auto c = static_cast<std::uint8_t>(rng() % colors);
    const bool disc = rng() % 2 == 0;
    for (int y = std::max(0, cy - ry); y < std::min(h, cy + ry); ++y) {
      for (int x = std::max(0, cx - rx); x < std::min(w, cx + rx); ++x) {
        const double dx = double(x - cx) / rx, dy = double(y - cy) / ry;
        if (!disc || dx * dx + dy * dy <= 1.0) v[static_cast<std::size_t>(y) * w + x] = c;
      }
    }
  }
  for (auto& p : v) {
    if (static_cast<int>(rng() % 100) < noisePercent) p = static_cast<std::uint8_t>((p + rng() % 5) % colors);
  }
  return v;
}

TGIFColorTable RandomTable(std::mt19937& rng, int count) {
  TGIFColorTable t(static_cast<std::size_t>(count));
  for (auto& c : t) c = {static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng())};
  return t;
}

std::string SmallAnimation(std::mt19937& rng) {
  TGifWriterImage image;
  image.Width = 20 + static_cast<int>(rng() % 41);
  image.Height = 20 + static_cast<int>(rng() % 41);
  const int colors = 1 << (4 + rng() % 5);  // 16..256
  image.GlobalColorTable = RandomTable(rng, colors);
  image.LoopCount = 0;
  // Some encoders let the table stay full instead of sending a clear code.
  image.ClearCodeWhenFull = rng() % 10 != 0;
  const int frames = 2 + static_cast<int>(rng() % 11);
  for (int i = 0; i < frames; ++i) {
    TGifWriterFrame f;
    // The first frame covers the screen; later ones often only the part that moves.
    if (i == 0 || rng() % 2 == 0) {
      f.Width = image.Width;
      f.Height = image.Height;
    } else {
      f.Width = 4 + static_cast<int>(rng() % (image.Width - 3));
      f.Height = 4 + static_cast<int>(rng() % (image.Height - 3));
      f.Left = static_cast<int>(rng() % (image.Width - f.Width + 1));
      f.Top = static_cast<int>(rng() % (image.Height - f.Height + 1));
    }
    f.Indices = ShapesWithNoise(rng, f.Width, f.Height, colors, 3 + static_cast<int>(rng() % 6), 5 + rng() % 30);
    f.Interlaced = rng() % 8 == 0;
    f.ControlExtension = true;
    f.Delay = 5 + static_cast<int>(rng() % 20);
    f.Disposal = static_cast<int>(rng() % 3);
    f.Transparent = rng() % 2 == 0;
    f.TransparentIndex = static_cast<int>(rng() % colors);
    image.Frames.push_back(std::move(f));
  }
  return WriteGif(image);
}

std::string LargePicture(std::mt19937& rng, int w, int h, int frames) {
  TGifWriterImage image;
  image.Width = w;
  image.Height = h;
  image.GlobalColorTable = RandomTable(rng, 256);
  for (int i = 0; i < frames; ++i) {
    TGifWriterFrame f;
    f.Width = w;
    f.Height = h;
    f.Indices = ShapesWithNoise(rng, w, h, 256, 40, 20);
    image.Frames.push_back(std::move(f));
  }
  return WriteGif(image);
}

std::filesystem::path WriteDefaultCorpus() {
  std::string pattern = (std::filesystem::temp_directory_path() / "gif-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return {};
  const std::filesystem::path dir = pattern;
  std::mt19937 rng(20240611);
  auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
  };
  for (int i = 0; i < 300; ++i) write("small" + std::to_string(i) + ".gif", SmallAnimation(rng));
  write("large800x600a.gif", LargePicture(rng, 800, 600, 1));
  write("large800x600b.gif", LargePicture(rng, 800, 600, 3));
  write("large1920x1080.gif", LargePicture(rng, 1920, 1080, 1));
  {
    // A large frame with interlacing and without clear codes once the table is full.
    TGifWriterImage image;
    image.Width = 800;
    image.Height = 600;
    image.GlobalColorTable = RandomTable(rng, 64);
    image.ClearCodeWhenFull = false;
    TGifWriterFrame f;
    f.Width = 800;
    f.Height = 600;
    f.Interlaced = true;
    f.Indices = ShapesWithNoise(rng, 800, 600, 64, 30, 10);
    image.Frames.push_back(std::move(f));
    write("large800x600c.gif", WriteGif(image));
  }
  return dir;
}

void ReadCorpus(const std::filesystem::path& dir) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.is_regular_file() && entry.path().extension() == ".gif") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (const auto& path : files) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    (bytes.size() < 65536 ? TheCorpus().Small : TheCorpus().Large).push_back(std::move(bytes));
  }
}

// ---------------------------------------------------------------- giflib

struct MemoryInput {
  const std::string* Bytes;
  std::size_t Pos;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int count) {
  auto* in = static_cast<MemoryInput*>(gif->UserData);
  const std::size_t n = std::min(static_cast<std::size_t>(count), in->Bytes->size() - in->Pos);
  std::memcpy(buffer, in->Bytes->data() + in->Pos, n);
  in->Pos += n;
  return static_cast<int>(n);
}

// Decodes with giflib; calls visit(gif) before closing when it succeeded.
template <typename Visit>
bool GiflibDecode(const std::string& bytes, Visit visit) {
  MemoryInput in{&bytes, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&in, ReadFromMemory, &error);
  if (gif == nullptr) return false;
  const bool ok = DGifSlurp(gif) == GIF_OK;
  if (ok) visit(*gif);
  DGifCloseFile(gif, &error);
  return ok;
}

// Both decoders must agree on every frame's indices, or the timing means nothing.
bool Verify(const std::vector<std::string>& files) {
  int checked = 0;
  for (const std::string& bytes : files) {
    TGIFImage ours;
    TMemoryStream stream = TMemoryStream::View(bytes);
    try {
      ours.LoadFromStream(stream);
    } catch (const std::exception&) {
      continue;
    }
    bool same = true;
    const bool decoded = GiflibDecode(bytes, [&](const GifFileType& gif) {
      if (gif.ImageCount != ours.GetCount()) {
        same = false;
        return;
      }
      for (int i = 0; i < gif.ImageCount && same; ++i) {
        const SavedImage& image = gif.SavedImages[i];
        const TGIFFrame& frame = ours.GetFrame(i);
        const auto stored = frame.StoredIndices();
        const std::size_t n = static_cast<std::size_t>(image.ImageDesc.Width) * image.ImageDesc.Height;
        same = frame.Width == image.ImageDesc.Width && frame.Height == image.ImageDesc.Height &&
               stored.size() == n && std::equal(stored.begin(), stored.end(), image.RasterBits);
      }
    });
    if (decoded && !same) {
      std::fprintf(stderr, "gif_decode_bench: our decoder and giflib disagree on a file of %zu bytes\n", bytes.size());
      return false;
    }
    checked += decoded ? 1 : 0;
  }
  std::printf("verified %d files: our indices equal giflib's\n", checked);
  return true;
}

// ------------------------------------------------------------- the runs

const std::vector<std::string>& Files(int part) { return part == 0 ? TheCorpus().Small : TheCorpus().Large; }

void SetCounters(benchmark::State& state, const std::vector<std::string>& files) {
  std::size_t bytes = 0;
  for (const auto& f : files) bytes += f.size();
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * files.size()));
}

void OurDecoder(benchmark::State& state, int part) {
  const auto& files = Files(part);
  for (auto _ : state) {
    for (const std::string& bytes : files) {
      TGIFImage gif;
      TMemoryStream stream = TMemoryStream::View(bytes);
      gif.LoadFromStream(stream);
      benchmark::DoNotOptimize(gif.GetCount());
    }
  }
  SetCounters(state, files);
}

void Giflib(benchmark::State& state, int part) {
  const auto& files = Files(part);
  for (auto _ : state) {
    for (const std::string& bytes : files) {
      GiflibDecode(bytes, [](const GifFileType& gif) { benchmark::DoNotOptimize(gif.ImageCount); });
    }
  }
  SetCounters(state, files);
}

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration) times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
  }
  void PrintRatios() const {
    for (const char* part : {"small", "large"}) {
      const double* ours = Find(std::string("decode/ours/") + part);
      const double* giflib = Find(std::string("decode/giflib/") + part);
      if (ours && giflib && *ours > 0) {
        std::printf("%s: ours %.3f ms, giflib %.3f ms CPU per pass, giflib / ours = %.2f\n", part, *ours, *giflib,
                    *giflib / *ours);
      }
    }
  }

 private:
  const double* Find(const std::string& prefix) const {
    for (const auto& [name, time] : times_) {
      if (name.rfind(prefix, 0) == 0) return &time;
    }
    return nullptr;
  }
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::filesystem::path dir;
  bool generated = false;
  if (argc > 1) {
    dir = argv[1];
  } else if (const char* env = std::getenv("QUORIX_GIF_CORPUS"); env && *env) {
    dir = env;
  } else {
    dir = WriteDefaultCorpus();
    generated = true;
  }
  if (dir.empty() || !std::filesystem::is_directory(dir)) {
    std::fprintf(stderr, "gif_decode_bench: no corpus directory\n");
    return 1;
  }
  ReadCorpus(dir);
  if (generated) std::filesystem::remove_all(dir);
  std::printf("corpus: %zu small files, %zu large files\n", TheCorpus().Small.size(), TheCorpus().Large.size());
  if (!Verify(TheCorpus().Small) || !Verify(TheCorpus().Large)) return 1;

  const char* parts[] = {"small", "large"};
  for (int part = 0; part < 2; ++part) {
    if (Files(part).empty()) continue;
    benchmark::RegisterBenchmark((std::string("decode/ours/") + parts[part]).c_str(), OurDecoder, part)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("decode/giflib/") + parts[part]).c_str(), Giflib, part)
        ->Unit(benchmark::kMillisecond);
  }
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
