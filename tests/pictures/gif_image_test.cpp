// Loading GIF pictures: what a well-formed file gives, which damage is
// tolerated and which raises, the memory bounds against absurd sizes, and
// deep copies. Fixtures are written with our GIF writer, so each test shows
// the file it is about.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "gif_test_util.h"
#include "pictures/gif_image.h"
#include "pictures/gif_writer.h"
#include "platform/errors.h"

namespace quorix {
namespace {

using testing::AllIndices;
using testing::Frame;
using testing::GrayTable;
using testing::LoadGif;
using testing::NoisyIndices;
using testing::Picture;

TGifWriterImage TwoFramePicture() {
  TGifWriterFrame first = Frame(0, 0, 8, 6, NoisyIndices(8, 6, 16, 1));
  first.ControlExtension = true;
  first.Delay = 25;
  first.Disposal = dmBackground;
  first.Transparent = true;
  first.TransparentIndex = 7;
  TGifWriterFrame second = Frame(2, 1, 5, 4, NoisyIndices(5, 4, 4, 2));
  second.LocalColorTable = GrayTable(4);
  return Picture(8, 6, {first, second});
}

TEST(GifImage, NewPictureIsEmptyTransparentAndStill) {
  TGIFImage gif;
  EXPECT_TRUE(gif.GetEmpty());
  EXPECT_EQ(gif.GetCount(), 0);
  EXPECT_EQ(gif.GetWidth(), 0);
  EXPECT_TRUE(gif.GetTransparent());
  EXPECT_FALSE(gif.GetAnimate());
  EXPECT_STREQ(gif.ClassName(), "TGIFImage");
}

TEST(GifImage, LoadsFramesRectanglesTablesAndControlExtensions) {
  const TGifWriterImage picture = TwoFramePicture();
  const auto gif = LoadGif(WriteGif(picture));
  EXPECT_EQ(gif->GetWidth(), 8);
  EXPECT_EQ(gif->GetHeight(), 6);
  EXPECT_EQ(gif->GlobalColorTable(), GrayTable(16));
  ASSERT_EQ(gif->GetCount(), 2);

  const TGIFFrame& first = gif->GetFrame(0);
  EXPECT_EQ(AllIndices(first), picture.Frames[0].Indices);
  EXPECT_FALSE(first.HasLocalColorTable());
  EXPECT_EQ(&first.ActiveColorTable(), &gif->GlobalColorTable());
  ASSERT_NE(first.ControlExtension(), nullptr);
  EXPECT_EQ(first.ControlExtension()->GetDelay(), 25);
  EXPECT_EQ(first.ControlExtension()->GetDisposal(), dmBackground);
  EXPECT_EQ(first.ControlExtension()->GetTransparentColorIndex(), 7);
  EXPECT_TRUE(first.GetTransparent());
  EXPECT_FALSE(first.GetEmpty());

  const TGIFFrame& second = gif->GetFrame(1);
  EXPECT_EQ((std::vector<int>{second.Left, second.Top, second.Width, second.Height}), (std::vector<int>{2, 1, 5, 4}));
  EXPECT_EQ(AllIndices(second), picture.Frames[1].Indices);
  EXPECT_EQ(second.LocalColorTable(), GrayTable(4));
  EXPECT_EQ(second.ControlExtension(), nullptr);
  EXPECT_FALSE(second.GetTransparent());
  EXPECT_THROW(gif->GetFrame(2), EListError);
}

TEST(GifImage, InterlacedAndPlainEncodingsDecodeToTheSameIndices) {
  // Heights around the pass steps (1, 2, 4, 8) reach every pass boundary.
  for (int height : {1, 2, 3, 4, 5, 7, 8, 9, 13, 16, 17, 33}) {
    SCOPED_TRACE(height);
    TGifWriterFrame frame = Frame(0, 0, 11, height, NoisyIndices(11, height, 16, static_cast<unsigned>(height)));
    TGifWriterImage plain = Picture(11, height, {frame});
    frame.Interlaced = true;
    TGifWriterImage interlaced = Picture(11, height, {frame});
    const auto a = LoadGif(WriteGif(plain));
    const auto b = LoadGif(WriteGif(interlaced));
    ASSERT_EQ(b->GetCount(), 1);
    EXPECT_TRUE(b->GetFrame(0).Interlaced());
    EXPECT_EQ(AllIndices(b->GetFrame(0)), frame.Indices);
    EXPECT_EQ(AllIndices(a->GetFrame(0)), frame.Indices);
  }
}

TEST(GifImage, SignatureMayStandFourBytesLateInAnyCase) {
  struct Case {
    const char* name;
    std::string junk;
    std::string version;
    bool loads;
  };
  const std::vector<Case> cases = {
      {"GIF89a", "", "89a", true},
      {"GIF87a", "", "87a", true},
      {"unknown version", "", "xyz", true},
      {"four junk bytes", std::string("\0\1\2\3", 4), "89a", true},
      {"three junk bytes", "abc", "89a", false},
      {"five junk bytes", "abcde", "89a", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TGifWriterImage picture = Picture(4, 4, {Frame(0, 0, 4, 4, NoisyIndices(4, 4, 16, 5))});
    picture.JunkBeforeSignature = c.junk;
    picture.Version = c.version;
    if (c.loads) {
      const auto gif = LoadGif(WriteGif(picture));
      EXPECT_EQ(gif->GetCount(), 1);
      EXPECT_EQ(AllIndices(gif->GetFrame(0)), picture.Frames[0].Indices);
    } else {
      EXPECT_THROW(LoadGif(WriteGif(picture)), EInvalidGraphic);
    }
  }
  // The signature is compared in upper case.
  std::string lower = WriteGif(Picture(4, 4, {Frame(0, 0, 4, 4, NoisyIndices(4, 4, 16, 5))}));
  lower.replace(0, 3, "gIf");
  EXPECT_EQ(LoadGif(lower)->GetCount(), 1);
}

TEST(GifImage, FailuresLeaveAnEmptyPictureAndTheStreamWhereItWas) {
  const std::string good = WriteGif(TwoFramePicture());
  TGifWriterImage afterExtension = TwoFramePicture();
  afterExtension.Frames[1].ControlExtension = true;
  afterExtension.Frames[1].RawBytesBefore.clear();
  std::string badSeparator = WriteGif(afterExtension);
  // The second frame's extension is followed by its descriptor; spoil the separator.
  const std::size_t gce = badSeparator.rfind(std::string("\x21\xF9\x04", 3));
  badSeparator[gce + 8] = 0x2D;
  // Signature and screen (13 bytes), the global table (48), frame 0's control extension (8).
  const std::size_t firstDescriptor = 13 + 48 + 8;
  ASSERT_EQ(good[firstDescriptor], '\x2C');
  struct Case {
    const char* name;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"empty stream", ""},
      {"ends inside the signature", "GIF89"},
      {"no signature", "PNG89a........"},
      {"ends inside the logical screen descriptor", good.substr(0, 10)},
      {"ends inside an image descriptor", good.substr(0, firstDescriptor + 9)},
      {"image descriptor after an extension without 0x2C", badSeparator},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TGIFImage gif;
    const std::string bytes = "xy" + c.bytes;
    TMemoryStream stream(bytes);
    stream.SetPosition(2);
    EXPECT_THROW(gif.LoadFromStream(stream), EInvalidGraphic);
    EXPECT_EQ(stream.Position(), 2);
    EXPECT_TRUE(gif.GetEmpty());
    EXPECT_EQ(gif.GetWidth(), 0);
    EXPECT_TRUE(gif.GlobalColorTable().empty());
  }
}

TEST(GifImage, LastFrameCutShortKeepsWhatWasDecoded) {
  TGifWriterImage picture = Picture(60, 40, {Frame(0, 0, 60, 40, NoisyIndices(60, 40, 16, 7)),
                                            Frame(0, 0, 60, 40, NoisyIndices(60, 40, 16, 8))});
  const std::string whole = WriteGif(picture);
  picture.CutAfter = whole.size() - 400;  // inside the second frame's data
  const auto gif = LoadGif(WriteGif(picture));
  ASSERT_EQ(gif->GetCount(), 2);
  EXPECT_EQ(AllIndices(gif->GetFrame(0)), picture.Frames[0].Indices);
  const TGIFFrame& cut = gif->GetFrame(1);
  EXPECT_FALSE(cut.GetEmpty());
  const auto stored = cut.StoredIndices();
  ASSERT_GT(stored.size(), 0u);
  ASSERT_LT(stored.size(), 2400u);
  const auto expected = picture.Frames[1].Indices;
  EXPECT_TRUE(std::equal(stored.begin(), stored.end(), expected.begin()));
  EXPECT_EQ(cut.GetIndex(59, 39), 0);
}

TEST(GifImage, MissingTrailerLoadsEveryFrame) {
  TGifWriterImage picture = TwoFramePicture();
  picture.WriteTrailer = false;
  const auto gif = LoadGif(WriteGif(picture));
  ASSERT_EQ(gif->GetCount(), 2);
  EXPECT_EQ(AllIndices(gif->GetFrame(1)), picture.Frames[1].Indices);
}

TEST(GifImage, EmptyFramesWithoutExtensionsAreDropped) {
  TGifWriterImage picture = Picture(4, 4, {Frame(0, 0, 4, 4, NoisyIndices(4, 4, 16, 9))});
  picture.TrailingEmptyFrames = 3;
  EXPECT_EQ(LoadGif(WriteGif(picture))->GetCount(), 1);

  // An empty frame that carries an extension stays (the animator counts it
  // off the end itself).
  TGifWriterFrame withExtension = Frame(0, 0, 4, 4, {});
  withExtension.EmptyImageData = true;
  withExtension.ControlExtension = true;
  picture.Frames.push_back(withExtension);
  picture.TrailingEmptyFrames = 0;
  const auto gif = LoadGif(WriteGif(picture));
  ASSERT_EQ(gif->GetCount(), 2);
  EXPECT_TRUE(gif->GetFrame(1).GetEmpty());
  EXPECT_NE(gif->GetFrame(1).ControlExtension(), nullptr);
}

TEST(GifImage, UnknownBlockEndsTheFrameListQuietly) {
  TGifWriterImage picture = TwoFramePicture();
  picture.Frames[1].RawBytesBefore = "\x99 whatever follows is not read";
  TMemoryStream stream(WriteGif(picture));
  TGIFImage gif;
  gif.LoadFromStream(stream);
  EXPECT_EQ(gif.GetCount(), 1);
  // Reading stopped at the unknown block.
  EXPECT_EQ(static_cast<unsigned char>(stream.RemainingBytes()[0]), 0x99);
}

TEST(GifImage, ZeroBytesBetweenBlocksAreSkipped) {
  TGifWriterImage picture = TwoFramePicture();
  picture.Frames[0].RawBytesBefore = std::string(3, '\0');
  picture.Frames[1].RawBytesBefore = std::string(5, '\0');
  picture.RawBytesBeforeTrailer = std::string(2, '\0');
  EXPECT_EQ(LoadGif(WriteGif(picture))->GetCount(), 2);
}

TEST(GifImage, DescriptorWithoutSizeTakesTheLogicalScreen) {
  TGifWriterFrame frame = Frame(0, 0, 0, 5, NoisyIndices(7, 5, 16, 10));
  const auto gif = LoadGif(WriteGif(Picture(7, 5, {frame})));
  ASSERT_EQ(gif->GetCount(), 1);
  EXPECT_EQ(gif->GetFrame(0).Width, 7);
  EXPECT_EQ(gif->GetFrame(0).Height, 5);
  EXPECT_EQ(AllIndices(gif->GetFrame(0)), frame.Indices);
}

TEST(GifImage, SecondControlExtensionStartsTheNextFrame) {
  TGifWriterFrame frame = Frame(0, 0, 4, 4, NoisyIndices(4, 4, 16, 11));
  frame.ControlExtension = true;
  frame.Delay = 7;
  // Raw bytes: a complete graphic control extension with delay 9 right before
  // the frame's own one.
  frame.RawBytesBefore = std::string("\x21\xF9\x04\x00\x09\x00\x00\x00", 8);
  const auto gif = LoadGif(WriteGif(Picture(4, 4, {frame})));
  ASSERT_EQ(gif->GetCount(), 2);
  EXPECT_TRUE(gif->GetFrame(0).GetEmpty());
  EXPECT_EQ(gif->GetFrame(0).ControlExtension()->GetDelay(), 9);
  EXPECT_EQ(gif->GetFrame(1).ControlExtension()->GetDelay(), 7);
  EXPECT_EQ(AllIndices(gif->GetFrame(1)), frame.Indices);
}

TEST(GifImage, ControlExtensionCutShortReadsMissingBytesAsZero) {
  TGifWriterFrame frame = Frame(0, 0, 4, 4, NoisyIndices(4, 4, 16, 12));
  // Packed byte 0x05 (disposal 1, transparent), then the delay's low byte only.
  frame.RawBytesBefore = std::string("\x21\xF9\x02\x05\x30\x00", 6);
  const auto gif = LoadGif(WriteGif(Picture(4, 4, {frame})));
  ASSERT_EQ(gif->GetCount(), 1);
  const TGIFGraphicControlExtension* gce = gif->GetFrame(0).ControlExtension();
  ASSERT_NE(gce, nullptr);
  EXPECT_EQ(gce->GetDisposal(), dmNoDisposal);
  EXPECT_TRUE(gce->GetTransparent());
  EXPECT_EQ(gce->GetDelay(), 0x30);
  EXPECT_EQ(gce->GetTransparentColorIndex(), 0);

  // And at the very end of the stream.
  std::string bytes = WriteGif(Picture(4, 4, {frame}));
  bytes.resize(bytes.find(std::string("\x21\xF9", 2)) + 4);
  const auto cut = LoadGif(bytes);
  ASSERT_EQ(cut->GetCount(), 1);
  EXPECT_TRUE(cut->GetFrame(0).GetEmpty());
  EXPECT_EQ(cut->GetFrame(0).ControlExtension()->GetDisposal(), dmNoDisposal);
}

TEST(GifImage, CodesOutOfRangeEndTheFrameAndLoadingGoesOn) {
  TGifCodePacker packer;  // minimum code size 4: clear 16, end 17, first free 18
  for (unsigned code : {16u, 3u, 4u, 30u, 5u}) packer.Put(code, 5);
  TGifWriterFrame broken = Frame(0, 0, 4, 4, {});
  broken.MinCodeSize = 4;
  broken.LzwData = packer.Bytes();
  TGifWriterImage picture = Picture(4, 4, {broken, Frame(0, 0, 4, 4, NoisyIndices(4, 4, 16, 13))});
  const auto gif = LoadGif(WriteGif(picture));
  ASSERT_EQ(gif->GetCount(), 2);
  EXPECT_EQ(AllIndices(gif->GetFrame(0)), (std::vector<std::uint8_t>{3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(AllIndices(gif->GetFrame(1)), picture.Frames[1].Indices);
}

TEST(GifImage, LoadsFromAnyStreamAndLeavesItAfterTheTrailer) {
  // A stream that is not a memory stream, with bytes after the picture.
  class ChunkStream : public TStream {
   public:
    explicit ChunkStream(std::string bytes) : bytes_(std::move(bytes)) {}
    std::size_t Read(void* buffer, std::size_t count) override {
      const std::size_t n = std::min({count, bytes_.size() - pos_, std::size_t{3}});
      std::memcpy(buffer, bytes_.data() + pos_, n);
      pos_ += n;
      return n;
    }
    std::size_t Write(const void*, std::size_t) override { return 0; }
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override {
      const std::int64_t base = origin == TSeekOrigin::soBeginning ? 0
                                : origin == TSeekOrigin::soCurrent ? static_cast<std::int64_t>(pos_)
                                                                   : Size();
      pos_ = static_cast<std::size_t>(std::clamp<std::int64_t>(base + offset, 0, Size()));
      return static_cast<std::int64_t>(pos_);
    }
    std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }

   private:
    std::string bytes_;
    std::size_t pos_ = 0;
  };
  const std::string gifBytes = WriteGif(TwoFramePicture());
  ChunkStream stream(gifBytes + "tail");
  TGIFImage gif;
  gif.LoadFromStream(stream);
  EXPECT_EQ(gif.GetCount(), 2);
  EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(gifBytes.size()));
}

// A logical screen and a frame of 65535 x 65535 pixels with a handful of
// bytes of data: what is stored follows what was decoded, not the sizes
// the file declares.
TEST(GifImage, HugeDeclaredSizesCostWhatTheDataDecodesTo) {
  for (bool interlaced : {false, true}) {
    SCOPED_TRACE(interlaced);
    TGifWriterFrame frame = Frame(0, 0, 65535, 65535, std::vector<std::uint8_t>(100, 3));
    frame.Interlaced = interlaced;
    const auto gif = LoadGif(WriteGif(Picture(65535, 65535, {frame})));
    ASSERT_EQ(gif->GetCount(), 1);
    const TGIFFrame& f = gif->GetFrame(0);
    EXPECT_EQ(f.PixelCount(), std::uint64_t{65535} * 65535);
    EXPECT_FALSE(f.GetEmpty());
    EXPECT_EQ(f.GetIndex(99, 0), 3);
    EXPECT_EQ(f.GetIndex(100, 0), 0);
    EXPECT_EQ(f.GetIndex(65534, 65534), 0);
    // The first row, at most: the 100 decoded indices all lie in it.
    EXPECT_LE(gif->StoredPixelCount(), 65535u);
  }
  // Data that would decode to more than a frame may store is cut at the
  // frame bound: a run of index 1 written as the codes 1, 6, 7, ... 4095 (each
  // the string just defined, one longer than the last), then code 4095 (4091
  // indices) over and over with the table left full.
  TGifCodePacker packer;
  int codeSize = 3;
  unsigned next = 6;
  auto put = [&](unsigned code, bool first) {
    packer.Put(code, codeSize);
    if (first || next >= 4096) return;
    if (++next == (1u << codeSize) && codeSize < 12) ++codeSize;
  };
  put(4, true);
  put(1, true);
  for (unsigned code = 6; code < 4096; ++code) put(code, false);
  for (int i = 0; i < 18000; ++i) put(4095, false);  // 8.4 + 73.6 million indices
  put(5, false);
  TGifWriterFrame big = Frame(0, 0, 65535, 2048, {});
  big.MinCodeSize = 2;
  big.LzwData = packer.Bytes();
  const auto gif = LoadGif(WriteGif(Picture(65535, 2048, {big})));
  EXPECT_EQ(gif->StoredPixelCount(), kGIFMaxFramePixels);
  EXPECT_EQ(gif->GetFrame(0).GetIndex(0, 1023), 1);
  EXPECT_EQ(gif->GetFrame(0).GetIndex(0, 1099), 0);
}

class OtherGraphic : public TGraphic {
 public:
  int GetWidth() const override { return 1; }
  int GetHeight() const override { return 1; }
  void Draw(TCanvas&, const TRect&) override {}
  void Assign(const TGraphic*) override {}
  void LoadFromStream(TStream&) override {}
  std::unique_ptr<TGraphic> CreateEmpty() const override { return std::make_unique<OtherGraphic>(); }
  const char* ClassName() const override { return "TOther"; }
};

TEST(GifImage, AssignMakesADeepCopyThatSharesNothing) {
  TGifWriterImage picture = TwoFramePicture();
  picture.Frames[0].Extensions.push_back({0xFE, "a comment"});
  auto source = LoadGif(WriteGif(picture));
  source->SetTransparent(false);
  source->SetAnimate(true);

  TGIFImage copy;
  copy.Assign(source.get());
  EXPECT_EQ(copy.GetWidth(), 8);
  EXPECT_EQ(copy.GlobalColorTable(), source->GlobalColorTable());
  EXPECT_FALSE(copy.GetTransparent());
  EXPECT_TRUE(copy.GetAnimate());
  ASSERT_EQ(copy.GetCount(), 2);
  for (int i = 0; i < 2; ++i) {
    const TGIFFrame& a = source->GetFrame(i);
    const TGIFFrame& b = copy.GetFrame(i);
    EXPECT_EQ(AllIndices(b), AllIndices(a));
    EXPECT_NE(b.StoredIndices().data(), a.StoredIndices().data());
    // The copy's frame carries its active table as its own.
    EXPECT_EQ(b.LocalColorTable(), a.ActiveColorTable());
    ASSERT_EQ(b.Extensions().size(), a.Extensions().size());
    for (std::size_t e = 0; e < a.Extensions().size(); ++e) {
      EXPECT_NE(b.Extensions()[e].get(), a.Extensions()[e].get());
      EXPECT_EQ(b.Extensions()[e]->Data, a.Extensions()[e]->Data);
    }
  }
  const TGIFGraphicControlExtension* gce = copy.GetFrame(0).ControlExtension();
  ASSERT_NE(gce, nullptr);
  EXPECT_EQ(gce, copy.GetFrame(0).Extensions()[0].get());
  EXPECT_EQ(gce->GetDelay(), 25);

  // The copy outlives its source.
  source.reset();
  EXPECT_EQ(AllIndices(copy.GetFrame(1)), picture.Frames[1].Indices);
  EXPECT_EQ(copy.GetFrame(0).ControlExtension()->GetTransparentColorIndex(), 7);
}

TEST(GifImage, AssignOfNothingClearsAndOfAnotherClassRaises) {
  auto gif = LoadGif(WriteGif(TwoFramePicture()));
  OtherGraphic other;
  EXPECT_THROW(gif->Assign(&other), EInvalidGraphic);
  EXPECT_EQ(gif->GetCount(), 2);
  gif->Assign(nullptr);
  EXPECT_TRUE(gif->GetEmpty());
  EXPECT_EQ(gif->GetWidth(), 0);
  gif->Assign(gif.get());
  EXPECT_TRUE(gif->GetEmpty());
}

TEST(GifImage, LoadingReplacesThePreviousContent) {
  auto gif = LoadGif(WriteGif(TwoFramePicture()));
  TMemoryStream stream(WriteGif(Picture(3, 3, {Frame(0, 0, 3, 3, NoisyIndices(3, 3, 16, 14))})));
  gif->LoadFromStream(stream);
  EXPECT_EQ(gif->GetCount(), 1);
  EXPECT_EQ(gif->GetWidth(), 3);
}

}  // namespace
}  // namespace quorix
