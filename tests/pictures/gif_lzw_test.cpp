// The LZW codec on its own: our encoder against our decoder over the kinds
// of data that stress the table (noise that fills it, runs that make the
// just-defined code appear, a frozen table without clear codes), and the
// decoder's answers to code streams no encoder should write.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gif_test_util.h"
#include "pictures/gif_lzw.h"
#include "pictures/gif_writer.h"

namespace quorix {
namespace {

using testing::NoisyIndices;

gif::LzwResult Decode(const std::string& chain, int minCodeSize, std::size_t limit, std::vector<std::uint8_t>& out) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(chain.data());
  return gif::DecodeLzw(p, p + chain.size(), minCodeSize, limit, out);
}

struct RoundTripCase {
  const char* name;
  std::vector<std::uint8_t> indices;
  int minCodeSize;
  bool clearWhenFull;
  int blockSize;
};

std::vector<RoundTripCase> RoundTripCases() {
  std::vector<std::uint8_t> runs(20000);
  for (std::size_t i = 0; i < runs.size(); ++i) runs[i] = static_cast<std::uint8_t>((i / 700) % 3);
  std::vector<std::uint8_t> ramp(5000);
  for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<std::uint8_t>(i % 256);
  return {
      {"single pixel", {3}, 2, true, 255},
      {"two colours", {0, 1, 1, 0, 1, 1, 1, 0, 0, 0}, 2, true, 255},
      {"one long run (just-defined codes)", std::vector<std::uint8_t>(100000, 1), 2, true, 255},
      {"runs of three colours", runs, 2, true, 255},
      {"noise, 256 colours, table fills and clears", NoisyIndices(300, 200, 256, 1), 8, true, 255},
      {"noise, 256 colours, table fills and stays full", NoisyIndices(300, 200, 256, 2), 8, false, 255},
      {"noise, 16 colours, one-byte sub-blocks", NoisyIndices(97, 61, 16, 3), 4, true, 1},
      {"noise, 4 colours, seven-byte sub-blocks", NoisyIndices(150, 150, 4, 4), 2, false, 7},
      {"ramp of every index", ramp, 8, true, 255},
  };
}

TEST(GifLzw, EncodedDataDecodesToTheSameIndices) {
  for (const RoundTripCase& c : RoundTripCases()) {
    SCOPED_TRACE(c.name);
    const std::string chain = PackSubBlocks(EncodeLzw(c.indices, c.minCodeSize, c.clearWhenFull), c.blockSize);
    std::vector<std::uint8_t> out;
    const auto r = Decode(chain, c.minCodeSize, c.indices.size(), out);
    EXPECT_EQ(r.Status, gif::LzwStatus::Complete);
    ASSERT_EQ(r.Decoded, c.indices.size());
    out.resize(r.Decoded);
    EXPECT_EQ(out, c.indices);
    EXPECT_EQ(reinterpret_cast<const char*>(r.End), chain.data() + chain.size());
  }
}

TEST(GifLzw, SubBlockChainEndsAtTheTerminatorOrTheInput) {
  const std::string chain = std::string("\x03" "abc" "\x02" "de" "\x00" "zz", 10);
  const auto* p = reinterpret_cast<const std::uint8_t*>(chain.data());
  const gif::SubBlockChain whole = gif::ScanSubBlocks(p, p + chain.size());
  EXPECT_TRUE(whole.Terminated);
  EXPECT_EQ(whole.DataBytes, 5u);
  EXPECT_EQ(whole.End, p + 8);
  // A block that claims more than is there ends with the input.
  const gif::SubBlockChain cut = gif::ScanSubBlocks(p, p + 6);
  EXPECT_FALSE(cut.Terminated);
  EXPECT_EQ(cut.DataBytes, 4u);
  EXPECT_EQ(cut.End, p + 6);
}

// Hand-packed code streams with a minimum code size of 2: clear 4, end 5,
// first free code 6; codes are 3 bits wide until code 8 is defined, then 4.
struct BadStreamCase {
  const char* name;
  std::vector<std::pair<unsigned, int>> codes;  // code and width
  gif::LzwStatus status;
  std::vector<std::uint8_t> decoded;
};

TEST(GifLzw, DamagedCodeStreamsKeepWhatCameBefore) {
  const std::vector<BadStreamCase> cases = {
      {"first code after clear is not a root", {{4, 3}, {6, 3}}, gif::LzwStatus::BadCode, {}},
      {"code beyond the next free one", {{4, 3}, {1, 3}, {7, 3}}, gif::LzwStatus::BadCode, {1}},
      {"table entry, wider end code", {{4, 3}, {1, 3}, {1, 3}, {6, 3}, {5, 4}}, gif::LzwStatus::Complete, {1, 1, 1, 1}},
      {"just-defined code", {{4, 3}, {2, 3}, {6, 3}, {5, 3}}, gif::LzwStatus::Complete, {2, 2, 2}},
      {"no end code", {{4, 3}, {3, 3}}, gif::LzwStatus::DataEnded, {3}},
      {"clear in the middle forgets the table", {{4, 3}, {1, 3}, {2, 3}, {4, 3}, {6, 3}}, gif::LzwStatus::BadCode, {1, 2}},
  };
  for (const BadStreamCase& c : cases) {
    SCOPED_TRACE(c.name);
    TGifCodePacker packer;
    for (auto [code, width] : c.codes) packer.Put(code, width);
    std::vector<std::uint8_t> out;
    const auto r = Decode(PackSubBlocks(packer.Bytes()), 2, 1000, out);
    EXPECT_EQ(r.Status, c.status);
    out.resize(r.Decoded);
    EXPECT_EQ(out, c.decoded);
  }
}

TEST(GifLzw, MinimumCodeSizeOutsideTheAlphabetDecodesNothing) {
  for (int size : {0, 9, 11, 12, 255}) {
    std::vector<std::uint8_t> out;
    const std::string chain = PackSubBlocks(std::string(10, '\x55'));
    const auto r = Decode(chain, size, 1000, out);
    EXPECT_EQ(r.Status, gif::LzwStatus::BadCodeSize) << size;
    EXPECT_EQ(r.Decoded, 0u);
    EXPECT_EQ(reinterpret_cast<const char*>(r.End), chain.data() + chain.size());
  }
}

TEST(GifLzw, OutputStopsAtTheLimitInsideAString) {
  const std::vector<std::uint8_t> run(1000, 2);
  const std::string chain = PackSubBlocks(EncodeLzw(run, 2));
  std::vector<std::uint8_t> out;
  const auto r = Decode(chain, 2, 17, out);
  EXPECT_EQ(r.Status, gif::LzwStatus::Complete);
  EXPECT_EQ(r.Decoded, 17u);
  EXPECT_EQ(reinterpret_cast<const char*>(r.End), chain.data() + chain.size());
}

// A frame may declare four billion pixels; the output buffer must follow the
// data that actually arrives.
TEST(GifLzw, OutputBufferGrowsWithTheDataNotWithTheLimit) {
  const std::size_t huge = std::size_t{65535} * 65535;
  {
    std::vector<std::uint8_t> out;
    const auto r = Decode(PackSubBlocks(EncodeLzw(std::vector<std::uint8_t>(5, 1), 2)), 2, huge, out);
    EXPECT_EQ(r.Decoded, 5u);
    EXPECT_LE(out.size(), gif::kLzwInitialOutput + 64);
  }
  {
    // 300000 identical indices compress to a few hundred bytes; the buffer
    // doubles as they arrive and ends within twice the output.
    const std::vector<std::uint8_t> run(300000, 1);
    const std::string chain = PackSubBlocks(EncodeLzw(run, 2));
    std::vector<std::uint8_t> out;
    const auto r = Decode(chain, 2, huge, out);
    EXPECT_EQ(r.Decoded, run.size());
    EXPECT_LE(out.size(), 2 * run.size() + 64);
  }
}

}  // namespace
}  // namespace quorix
