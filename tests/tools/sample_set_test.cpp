// The sample smilies set: samples/default is what quorix-make-samples draws,
// and it holds what the set is there to show.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "pictures/gif_image.h"
#include "pictures/jpeg_image.h"
#include "platform/files.h"
#include "platform/streams.h"
#include "tests/support/temp_dir.h"

namespace quorix {
namespace {

const std::filesystem::path kSamples = QUORIX_SAMPLES_DIR;

std::string Read(const std::filesystem::path& path) {
  std::string bytes;
  EXPECT_EQ(ReadWholeFile(path.string(), bytes), ReadFileResult::Ok) << path;
  return bytes;
}

TEST(SampleSetTest, IsWhatTheGeneratorDraws) {
  test::TempDir dir;
  const std::string command =
      std::string("'") + QUORIX_MAKE_SAMPLES + "' '" + dir.Path().string() + "' >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  std::set<std::string> drawn, committed;
  for (const auto& e : std::filesystem::directory_iterator(dir.Path())) drawn.insert(e.path().filename().string());
  for (const auto& e : std::filesystem::directory_iterator(kSamples)) committed.insert(e.path().filename().string());
  EXPECT_EQ(drawn, committed);
  for (const std::string& name : drawn) EXPECT_EQ(Read(dir.Path() / name), Read(kSamples / name)) << name;
}

TEST(SampleSetTest, HasAnimationsWithEveryDisposalTransparencyAndJpegs) {
  std::set<int> disposals;
  int gifs = 0, animated = 0, transparent = 0, jpegs = 0;
  for (const auto& e : std::filesystem::directory_iterator(kSamples)) {
    const std::string ext = e.path().extension().string();
    TMemoryStream stream(Read(e.path()));
    if (ext == ".gif") {
      TGIFImage gif;
      gif.LoadFromStream(stream);
      ASSERT_GT(gif.GetCount(), 0) << e.path();
      ++gifs;
      if (gif.GetCount() > 1) ++animated;
      for (int i = 0; i < gif.GetCount(); ++i) {
        const TGIFFrame& frame = gif.GetFrame(i);
        if (frame.GetTransparent()) ++transparent;
        if (gif.GetCount() > 1 && frame.ControlExtension()) disposals.insert(frame.ControlExtension()->GetDisposal());
      }
    } else if (ext == ".jpg") {
      TJPEGImage jpeg;
      jpeg.LoadFromStream(stream);
      EXPECT_GT(jpeg.GetWidth(), 0) << e.path();
      ++jpegs;
    }
  }
  EXPECT_GE(gifs + jpegs, 25);
  EXPECT_GE(animated, 4);
  EXPECT_GT(transparent, 0);
  EXPECT_EQ(disposals, (std::set<int>{dmNone, dmNoDisposal, dmBackground, dmPrevious}));
  EXPECT_GE(jpegs, 1);
}

}  // namespace
}  // namespace quorix
