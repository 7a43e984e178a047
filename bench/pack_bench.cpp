// Packing a full smilies set: 999 pictures of 10000 bytes, close to the 10 MB
// limit of the records, against the floor of reading those files once.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_working_dir.h"
#include "platform/files.h"
#include "smilies/package_builder.h"

namespace {

constexpr int SmileyCount = 999;
constexpr std::size_t PictureSize = 10000;

std::string PictureName(int i) { return "smiley" + std::to_string(i) + ".gif"; }

// The set lives in a temporary directory that is the working directory for the run.
class TBenchSet {
 public:
  TBenchSet() : dir_("quorix-pack-bench") {
    std::string list = "width=500\nheight=300\n";
    std::string picture(PictureSize, '\0');
    unsigned seed = 12345;
    for (int i = 0; i < SmileyCount; ++i) {
      if (i % 100 == 0) list += "[group" + std::to_string(i / 100) + "]\n";
      list += PictureName(i) + "|(s" + std::to_string(i) + ")\n";
      for (char& c : picture) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
      std::ofstream(PictureName(i), std::ios::binary) << picture;
    }
    std::ofstream("Smilies_serv.txt", std::ios::binary) << list;
  }

 private:
  quorix::bench::TWorkingDir dir_;
};

void BM_BuildSmiliesPackage(benchmark::State& state) {
  for (auto _ : state) {
    if (!quorix::BuildSmiliesPackage()) state.SkipWithError("the build failed");
    benchmark::DoNotOptimize(quorix::SmiliesPackage.data());
  }
  state.counters["package_bytes"] = static_cast<double>(quorix::SmiliesPackage.size());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(SmileyCount * PictureSize));
}
BENCHMARK(BM_BuildSmiliesPackage)->Unit(benchmark::kMillisecond);

// The floor: every picture read once into one reused buffer, nothing packed.
void BM_ReadPicturesOnce(benchmark::State& state) {
  std::string buffer;
  for (auto _ : state) {
    for (int i = 0; i < SmileyCount; ++i) {
      if (quorix::ReadWholeFile(PictureName(i), buffer) != quorix::ReadFileResult::Ok) {
        state.SkipWithError("a picture could not be read");
      }
      benchmark::DoNotOptimize(buffer.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(SmileyCount * PictureSize));
}
BENCHMARK(BM_ReadPicturesOnce)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TBenchSet set;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
