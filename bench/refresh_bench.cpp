// The viewer's whole refresh cycle on a full set: 999 smilies in one group,
// the sample set's pictures (animated GIFs, still GIFs and JPEGs) in turn,
// in a 500 x 300 panel. Measured: Refresh as the button runs it (build the
// package, read it back, lay the panel out, show group 0: 999 hot pictures
// copied, added and formatted, animation started), the group page alone,
// and one paint of the page.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "bench/bench_working_dir.h"
#include "platform/controls.h"

namespace {

using namespace quorix;

constexpr int kSmilies = 999;

// The set lives in a temporary directory that is the working directory for the run.
class TBenchSet {
 public:
  TBenchSet() : dir_("quorix-refresh-bench") {
    std::vector<std::string> pictures;
    for (const auto& entry : std::filesystem::directory_iterator(QUORIX_SAMPLES_DIR)) {
      const std::string name = entry.path().filename().string();
      if (name.ends_with(".gif") || name.ends_with(".jpg")) {
        std::filesystem::copy_file(entry.path(), dir_.Path() / name);
        pictures.push_back(name);
      }
    }
    std::sort(pictures.begin(), pictures.end());
    std::string list = "width=500\nheight=300\n[All]\n";
    for (int i = 0; i < kSmilies; ++i)
      list += pictures[static_cast<std::size_t>(i) % pictures.size()] + "|:s" + std::to_string(i) + ":\n";
    std::ofstream("Smilies_serv.txt", std::ios::binary) << list;
  }

 private:
  bench::TWorkingDir dir_;
};

TBenchSet& Set() {
  static TBenchSet set;
  return set;
}

TfQuorixSmilies& Form() {
  Set();
  static TfQuorixSmilies* form = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return &Application().CreateForm<TfQuorixSmilies>();
  }();
  return *form;
}

void BM_RefreshCycle(benchmark::State& state) {
  TfQuorixSmilies& form = Form();
  for (auto _ : state) form.Button1Click(form.Button1);
  state.counters["smilies"] = form.rvSmilies->GetLineCount();
}
BENCHMARK(BM_RefreshCycle)->Unit(benchmark::kMillisecond);

void BM_ShowGroup(benchmark::State& state) {
  TfQuorixSmilies& form = Form();
  for (auto _ : state) form.ShowGroup(0);
  state.counters["page_height"] = form.rvSmilies->GetDocumentHeight();
}
BENCHMARK(BM_ShowGroup)->Unit(benchmark::kMillisecond);

void BM_PaintPage(benchmark::State& state) {
  TfQuorixSmilies& form = Form();
  for (auto _ : state) {
    form.rvSmilies->Invalidate();
    form.rvSmilies->Update();
  }
}
BENCHMARK(BM_PaintPage)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  ::benchmark::Initialize(&argc, argv);
  if (::benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  ::benchmark::RunSpecifiedBenchmarks();
  ::benchmark::Shutdown();
  Application().Finalize();
  return 0;
}
