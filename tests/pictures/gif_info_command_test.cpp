// gif-info on files written by our writer: the JSON fields, the CRC of the
// indices (with the indices a frame does not store counted as 0), and the
// failures.

#include <gtest/gtest.h>
#include <zlib.h>

#include <nlohmann/json.hpp>
#include <string>

#include "gif_test_util.h"
#include "tests/support/temp_dir.h"
#include "tools/gif_info_command.h"

namespace quorix {
namespace {

using testing::AllIndices;
using testing::Frame;
using testing::LoadGif;
using testing::NoisyIndices;
using testing::Picture;

class GifInfoCommand : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) { return dir_.Write(name, bytes); }
  // Runs the command; returns its status and fills out / err.
  int Run(const std::vector<std::string>& args, std::string& out, std::string& err) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int status = tool::RunGifInfo(args);
    out = ::testing::internal::GetCapturedStdout();
    err = ::testing::internal::GetCapturedStderr();
    return status;
  }

  test::TempDir dir_;
};

TEST_F(GifInfoCommand, DescribesEveryFrame) {
  TGifWriterFrame first = Frame(1, 2, 5, 4, NoisyIndices(5, 4, 16, 1));
  first.ControlExtension = true;
  first.Delay = 12;
  first.Disposal = dmPrevious;
  first.Transparent = true;
  first.TransparentIndex = 9;
  first.Interlaced = true;
  TGifWriterFrame second = Frame(0, 0, 8, 8, NoisyIndices(8, 8, 4, 2));
  second.LocalColorTable = testing::GrayTable(3);  // written as 4 entries
  const std::string bytes = WriteGif(Picture(8, 8, {first, second}));
  std::string out, err;
  ASSERT_EQ(Run({Write("a.gif", bytes)}, out, err), 0) << err;
  const auto json = nlohmann::json::parse(out);
  EXPECT_EQ(json["width"], 8);
  EXPECT_EQ(json["height"], 8);
  ASSERT_EQ(json["frames"].size(), 2u);
  const auto& f = json["frames"][0];
  EXPECT_EQ(f["left"], 1);
  EXPECT_EQ(f["top"], 2);
  EXPECT_EQ(f["width"], 5);
  EXPECT_EQ(f["height"], 4);
  EXPECT_EQ(f["interlaced"], true);
  EXPECT_EQ(f["localColorTable"], 0);
  EXPECT_EQ(f["hasControlExtension"], true);
  EXPECT_EQ(f["delay"], 12);
  EXPECT_EQ(f["disposal"], 3);
  EXPECT_EQ(f["transparent"], true);
  EXPECT_EQ(f["transparentIndex"], 9);
  EXPECT_EQ(f["empty"], false);
  EXPECT_EQ(f["indicesCrc32"], crc32(0, first.Indices.data(), static_cast<uInt>(first.Indices.size())));
  const auto& s = json["frames"][1];
  EXPECT_EQ(s["localColorTable"], 4);
  EXPECT_EQ(s["hasControlExtension"], false);
  EXPECT_EQ(s["transparent"], false);
  EXPECT_EQ(s["indicesCrc32"], crc32(0, second.Indices.data(), static_cast<uInt>(second.Indices.size())));
}

TEST_F(GifInfoCommand, CrcCountsTheIndicesNotStoredAsZero) {
  TGifWriterImage picture = Picture(300, 200, {Frame(0, 0, 300, 200, NoisyIndices(300, 200, 16, 3))});
  picture.CutAfter = 3000;  // the frame keeps its first part only
  const std::string bytes = WriteGif(picture);
  const auto gif = LoadGif(bytes);
  const std::vector<std::uint8_t> all = AllIndices(gif->GetFrame(0));
  ASSERT_LT(gif->GetFrame(0).StoredIndices().size(), all.size());
  std::string out, err;
  ASSERT_EQ(Run({Write("cut.gif", bytes)}, out, err), 0) << err;
  EXPECT_EQ(nlohmann::json::parse(out)["frames"][0]["indicesCrc32"],
            crc32(0, all.data(), static_cast<uInt>(all.size())));
}

TEST_F(GifInfoCommand, UnreadableOrUndecodableFilesFailWithOneLine) {
  std::string out, err;
  EXPECT_EQ(Run({dir_.File("missing.gif")}, out, err), 1);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
  EXPECT_NE(err.find("missing.gif"), std::string::npos);
  EXPECT_TRUE(out.empty());

  EXPECT_EQ(Run({Write("bad.gif", "not a gif at all")}, out, err), 1);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
  EXPECT_NE(err.find("signature"), std::string::npos);
  EXPECT_TRUE(out.empty());

  EXPECT_EQ(Run({}, out, err), 2);
}

}  // namespace
}  // namespace quorix
