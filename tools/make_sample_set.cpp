// quorix-make-samples OUTDIR: draws the sample smilies set (samples/default):
// three groups of faces, animations and objects as GIF and JPEG pictures, and
// the list file naming them.
//
// Everything is drawn here, pixel by pixel; the GIFs are written with the
// project's GIF writer and the JPEGs with libjpeg's compressor, so the set is
// the project's own. The output is the same on every run.

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tools/sample_images.h"
#include "tools/sample_pixels.h"

namespace quorix::samples {
namespace {

// The palette every GIF of the set shares.
enum : std::uint8_t {
  kClear,  // the transparent index of transparent pictures
  kBlack,
  kYellow,
  kOutline,
  kWhite,
  kRed,
  kBlue,
  kPink,
  kGreen,
  kBrown,
  kTear,
  kGrey,
  kMouth,
  kPurple,
  kOrange,
  kLight,
};

const std::vector<TRGB> kPalette = {
    {255, 0, 255},   {0, 0, 0},       {255, 214, 40},  {196, 120, 0},   {255, 255, 255}, {220, 30, 30},
    {40, 80, 220},   {250, 140, 170}, {40, 160, 60},   {120, 70, 30},   {120, 200, 255}, {150, 150, 150},
    {140, 20, 30},   {130, 60, 180},  {250, 140, 20},  {255, 245, 170},
};

constexpr int kFace = 24;  // faces are 24 x 24

TIndexedImage Canvas(int size = kFace) { return TIndexedImage(size, size, kClear); }

void Face(TIndexedImage& img, double cx = 12, double cy = 12, double r = 11) {
  FillDisc(img, cx, cy, r, kOutline);
  FillDisc(img, cx, cy, r - 1.2, kYellow);
  FillDisc(img, cx - r * 0.35, cy - r * 0.45, r * 0.18, kLight);  // a highlight
}

void Eyes(TIndexedImage& img, double cx = 12, double cy = 12) {
  FillEllipse(img, cx - 4, cy - 3, 1.4, 2.2, kBlack);
  FillEllipse(img, cx + 4, cy - 3, 1.4, 2.2, kBlack);
}

void Smile(TIndexedImage& img, double cx = 12, double cy = 12) { Arc(img, cx, cy + 1, 6, 200, 340, kBlack); }

using Painter = std::function<void(TIndexedImage&)>;

TSampleGif StillGif(const Painter& paint, int size = kFace) {
  TSampleGif gif{size, size, kPalette, {}};
  TSampleFrame frame;
  frame.Image = Canvas(size);
  paint(frame.Image);
  frame.TransparentIndex = kClear;
  gif.Frames.push_back(std::move(frame));
  return gif;
}

// --- faces ---

std::vector<TSampleSmiley> Faces() {
  std::vector<TSampleSmiley> s;
  s.push_back({"smile.gif", ":-)", StillGif([](auto& i) { Face(i); Eyes(i); Smile(i); })});
  s.push_back({"smile2.gif", ":)", StillGif([](auto& i) { Face(i); FillDisc(i, 8, 9, 1.6, kBlack); FillDisc(i, 16, 9, 1.6, kBlack); Arc(i, 12, 12, 5, 210, 330, kBlack); })});
  s.push_back({"wink.gif", ";)", StillGif([](auto& i) {
                 Face(i);
                 FillEllipse(i, 8, 9, 1.4, 2.2, kBlack);
                 Line(i, 14, 9, 18, 9, kBlack);
                 Smile(i);
               })});
  s.push_back({"grin.gif", ":D", StillGif([](auto& i) {
                 Face(i);
                 Eyes(i);
                 FillPolygon(i, {5.5, 13, 18.5, 13, 12, 20}, kMouth);
                 FillRect(i, 7, 13, 10, 2, kWhite);
               })});
  s.push_back({"sad.gif", ":-(", StillGif([](auto& i) { Face(i); Eyes(i); Arc(i, 12, 22, 6, 40, 140, kBlack); })});
  s.push_back({"tongue.gif", ":-P", StillGif([](auto& i) {
                 Face(i);
                 Eyes(i);
                 Line(i, 7, 15, 17, 15, kBlack);
                 FillEllipse(i, 13, 17.5, 2.6, 2.5, kPink);
               })});
  s.push_back({"surprised.gif", ":-O", StillGif([](auto& i) {
                 Face(i);
                 Eyes(i);
                 FillEllipse(i, 12, 16.5, 3, 3.5, kMouth);
               })});
  s.push_back({"cool.gif", "8-)", StillGif([](auto& i) {
                 Face(i);
                 FillRect(i, 4, 7, 7, 4, kBlack);
                 FillRect(i, 13, 7, 7, 4, kBlack);
                 Line(i, 2, 7, 21, 7, kBlack);
                 Smile(i);
               })});
  s.push_back({"angry.gif", ">:(", StillGif([](auto& i) {
                 FillDisc(i, 12, 12, 11, kMouth);
                 FillDisc(i, 12, 12, 9.8, kRed);
                 Line(i, 5, 5, 10, 8, kBlack);
                 Line(i, 19, 5, 14, 8, kBlack);
                 Eyes(i, 12, 13);
                 Arc(i, 12, 23, 6, 45, 135, kBlack);
               })});
  s.push_back({"cry.gif", ":'(", StillGif([](auto& i) {
                 Face(i);
                 Eyes(i);
                 FillEllipse(i, 7, 14, 1.3, 2.5, kTear);
                 Arc(i, 12, 22, 6, 40, 140, kBlack);
               })});
  s.push_back({"neutral.gif", ":-|", StillGif([](auto& i) { Face(i); Eyes(i); Line(i, 7, 16, 17, 16, kBlack); })});
  s.push_back({"confused.gif", ":-/", StillGif([](auto& i) { Face(i); Eyes(i); Line(i, 7, 17, 17, 14, kBlack); })});
  s.push_back({"kiss.gif", ":-*", StillGif([](auto& i) {
                 Face(i);
                 Eyes(i);
                 FillHeart(i, 12, 16, 6, kRed);
               })});
  return s;
}

// --- animations: each disposal method at least once, with transparency ---

TSampleFrame Frame(TIndexedImage image, int delay, int disposal, int left = 0, int top = 0) {
  TSampleFrame f;
  f.Image = std::move(image);
  f.Left = left;
  f.Top = top;
  f.DelayCs = delay;
  f.Disposal = disposal;
  f.TransparentIndex = kClear;
  return f;
}

// Laughing and bouncing: whole frames, the background restored between them.
TSampleGif Laugh() {
  TSampleGif gif{kFace, 28, kPalette, {}};
  for (int k = 0; k < 4; ++k) {
    TIndexedImage img(kFace, 28, kClear);
    const double cy = 12 + (k % 2 == 0 ? 0 : 4);
    Face(img, 12, cy);
    Line(img, 6, static_cast<int>(cy) - 4, 10, static_cast<int>(cy) - 2, kBlack);
    Line(img, 18, static_cast<int>(cy) - 4, 14, static_cast<int>(cy) - 2, kBlack);
    FillEllipse(img, 12, cy + 4, 6, 3.5 + (k % 2), kMouth);
    FillRect(img, 7, static_cast<int>(cy) + 1, 10, 2, kWhite);
    gif.Frames.push_back(Frame(std::move(img), 15, kDisposeRestoreBackground));
  }
  return gif;
}

// Blinking: one whole face left in place, then only the eyes change.
TSampleGif Blink() {
  TSampleGif gif{kFace, kFace, kPalette, {}};
  TIndexedImage face = Canvas();
  Face(face);
  Eyes(face);
  Smile(face);
  gif.Frames.push_back(Frame(face, 150, kDisposeLeave));
  TIndexedImage closed = face.Crop(4, 5, 16, 5);
  FillRect(closed, 0, 0, 16, 5, kYellow);
  Line(closed, 1, 2, 5, 2, kBlack);
  Line(closed, 10, 2, 14, 2, kBlack);
  TSampleFrame shut = Frame(closed, 20, kDisposeLeave, 4, 5);
  shut.TransparentIndex = -1;  // an opaque patch
  gif.Frames.push_back(std::move(shut));
  TSampleFrame open = Frame(face.Crop(4, 5, 16, 5), 150, kDisposeLeave, 4, 5);
  open.TransparentIndex = -1;
  gif.Frames.push_back(std::move(open));
  return gif;
}

// Waving: the face stays; the hand is drawn on top and taken away again by
// restoring what was there before it.
TSampleGif Wave() {
  TSampleGif gif{32, kFace, kPalette, {}};
  TIndexedImage face(32, kFace, kClear);
  Face(face);
  Eyes(face);
  Smile(face);
  gif.Frames.push_back(Frame(face, 10, kDisposeLeave));
  for (int k = 0; k < 4; ++k) {
    TIndexedImage hand(10, 12, kClear);
    const double tilt = (k % 2 == 0) ? -1.5 : 1.5;
    FillEllipse(hand, 5 + tilt, 5, 3.5, 4.5, kOutline);
    FillEllipse(hand, 5 + tilt, 5, 2.5, 3.5, kYellow);
    FillRect(hand, 4, 9, 2, 3, kOutline);
    gif.Frames.push_back(Frame(std::move(hand), 20, kDisposeRestorePrevious, 21, 2 + (k % 2)));
  }
  return gif;
}

// A spinning star: whole frames without a disposal method.
TSampleGif Spin() {
  TSampleGif gif{kFace, kFace, kPalette, {}};
  for (int k = 0; k < 6; ++k) {
    TIndexedImage img = Canvas();
    FillStar(img, 12, 12.5, 11, 4.5, k * 12.0, kOrange);
    FillStar(img, 12, 12.5, 8, 3.3, k * 12.0, kYellow);
    TSampleFrame f = Frame(std::move(img), 10, kDisposeNone);
    gif.Frames.push_back(std::move(f));
  }
  return gif;
}

TSampleGif Heartbeat() {
  TSampleGif gif{kFace, kFace, kPalette, {}};
  for (double size : {14.0, 18.0, 22.0, 18.0}) {
    TIndexedImage img = Canvas();
    FillHeart(img, 12, 12.5, size, kRed);
    FillDisc(img, 12 - size * 0.28, 12 - size * 0.18, size * 0.08, kPink);
    gif.Frames.push_back(Frame(std::move(img), 12, kDisposeRestoreBackground));
  }
  return gif;
}

// Sleeping: the letters rise and are taken away with the previous state.
TSampleGif Sleep() {
  TSampleGif gif{28, 28, kPalette, {}};
  TIndexedImage face(28, 28, kClear);
  Face(face, 12, 16);
  Line(face, 6, 14, 10, 14, kBlack);
  Line(face, 14, 14, 18, 14, kBlack);
  FillEllipse(face, 12, 21, 2, 1.5, kMouth);
  gif.Frames.push_back(Frame(face, 30, kDisposeLeave));
  for (int k = 0; k < 3; ++k) {
    TIndexedImage z(6, 6, kClear);
    Line(z, 0, 0, 5, 0, kBlue);
    Line(z, 5, 0, 0, 5, kBlue);
    Line(z, 0, 5, 5, 5, kBlue);
    gif.Frames.push_back(Frame(std::move(z), 40, kDisposeRestorePrevious, 16 + k * 2, 8 - k * 4));
  }
  return gif;
}

// Nodding, stored interlaced.
TSampleGif Nod() {
  TSampleGif gif{kFace, 26, kPalette, {}};
  for (int k = 0; k < 3; ++k) {
    TIndexedImage img(kFace, 26, kClear);
    const double cy = 12 + k;
    Face(img, 12, cy);
    Eyes(img, 12, cy + k * 0.5);
    Smile(img, 12, cy + k * 0.5);
    TSampleFrame f = Frame(std::move(img), 18, kDisposeRestoreBackground);
    f.Interlaced = true;
    gif.Frames.push_back(std::move(f));
  }
  return gif;
}

// Rolling on the floor: the face turns round.
TSampleGif Rofl() {
  TSampleGif gif{kFace, kFace, kPalette, {}};
  for (int k = 0; k < 8; ++k) {
    TIndexedImage img = Canvas();
    Face(img);
    const double a = k * 45.0 * 3.14159265358979 / 180.0;
    auto rot = [&](double x, double y, double& ox, double& oy) {
      ox = 12 + (x - 12) * std::cos(a) - (y - 12) * std::sin(a);
      oy = 12 + (x - 12) * std::sin(a) + (y - 12) * std::cos(a);
    };
    double ex, ey;
    rot(8, 9, ex, ey);
    FillDisc(img, ex, ey, 1.6, kBlack);
    rot(16, 9, ex, ey);
    FillDisc(img, ex, ey, 1.6, kBlack);
    rot(12, 16, ex, ey);
    FillDisc(img, ex, ey, 3.2, kMouth);
    rot(6, 13, ex, ey);
    FillDisc(img, ex, ey, 1.2, kTear);
    gif.Frames.push_back(Frame(std::move(img), 8, kDisposeRestoreBackground));
  }
  return gif;
}

TSampleGif Dance() {
  TSampleGif gif{30, kFace, kPalette, {}};
  for (int k = 0; k < 4; ++k) {
    TIndexedImage img(30, kFace, kClear);
    const double cx = 12 + (k == 1 ? 3 : k == 3 ? -3 : 0) + 3;
    Face(img, cx, 12);
    Eyes(img, cx, 12);
    Smile(img, cx, 12);
    FillDisc(img, cx - 9, 17, 2, kPurple);
    FillDisc(img, cx + 9, 17, 2, kPurple);
    gif.Frames.push_back(Frame(std::move(img), 20, kDisposeRestoreBackground));
  }
  return gif;
}

std::vector<TSampleSmiley> Animations() {
  return {
      {"lol.gif", ":lol:", Laugh()},       {"blink.gif", ":blink:", Blink()}, {"wave.gif", ":wave:", Wave()},
      {"spin.gif", ":spin:", Spin()},      {"heart.gif", "<3", Heartbeat()},  {"sleep.gif", ":zzz:", Sleep()},
      {"nod.gif", ":nod:", Nod()},         {"rofl.gif", ":rofl:", Rofl()},    {"dance.gif", ":dance:", Dance()},
  };
}

// --- objects ---

std::vector<TSampleSmiley> Objects() {
  std::vector<TSampleSmiley> s;
  s.push_back({"sun.gif", ":sun:", StillGif([](auto& i) {
                 for (int k = 0; k < 8; ++k) {
                   const double a = k * 45.0 * 3.14159265358979 / 180.0;
                   Line(i, 12, 12, static_cast<int>(12 + 11 * std::cos(a)), static_cast<int>(12 + 11 * std::sin(a)), kOrange);
                 }
                 FillDisc(i, 12, 12, 6.5, kYellow);
               })});
  s.push_back({"flower.gif", ":flower:", StillGif([](auto& i) {
                 FillRect(i, 11, 12, 2, 12, kGreen);
                 FillEllipse(i, 16, 18, 3.5, 1.6, kGreen);
                 for (int k = 0; k < 6; ++k) {
                   const double a = k * 60.0 * 3.14159265358979 / 180.0;
                   FillDisc(i, 12 + 4.5 * std::cos(a), 8 + 4.5 * std::sin(a), 3, kPink);
                 }
                 FillDisc(i, 12, 8, 2.5, kYellow);
               })});
  s.push_back({"star.gif", ":star:", StillGif([](auto& i) { FillStar(i, 12, 12.5, 11, 4.5, 0, kYellow); })});
  s.push_back({"moon.gif", ":moon:", StillGif([](auto& i) {
                 FillDisc(i, 12, 12, 10, kLight);
                 FillDisc(i, 17, 9, 9, kClear);
               })});
  s.push_back({"cake.gif", ":cake:", StillGif([](auto& i) {
                 FillRect(i, 3, 12, 18, 9, kBrown);
                 FillRect(i, 3, 12, 18, 3, kPink);
                 FillRect(i, 11, 5, 2, 7, kBlue);
                 FillEllipse(i, 12, 3.5, 1.2, 2, kOrange);
               })});
  s.push_back({"gift.gif", ":gift:", StillGif([](auto& i) {
                 FillRect(i, 3, 9, 18, 13, kRed);
                 FillRect(i, 2, 7, 20, 4, kRed);
                 FillRect(i, 11, 7, 2, 15, kYellow);
                 FillEllipse(i, 9, 5, 3, 2, kYellow);
                 FillEllipse(i, 15, 5, 3, 2, kYellow);
               })});
  s.push_back({"rain.gif", ":rain:", StillGif([](auto& i) {
                 FillDisc(i, 8, 9, 5, kGrey);
                 FillDisc(i, 15, 8, 6, kGrey);
                 FillRect(i, 4, 9, 16, 5, kGrey);
                 for (int x : {6, 11, 16}) Line(i, x, 16, x - 2, 21, kTear);
               })});
  return s;
}

// JPEG pictures: photographs would be the usual thing; here, smooth gradients
// that show the lossy coding as it is.
TRGBImage Sunset() {
  TRGBImage img{32, 24, {}};
  for (int y = 0; y < img.Height; ++y) {
    for (int x = 0; x < img.Width; ++x) {
      TRGB c{static_cast<std::uint8_t>(250 - y * 3), static_cast<std::uint8_t>(120 + y * 2),
             static_cast<std::uint8_t>(60 + y * 6)};
      const double d = std::hypot(x - 16.0, y - 15.0);
      if (d < 6) c = {255, 220, 80};
      if (y > 17) c = {20, static_cast<std::uint8_t>(60 + x), 120};
      img.Pixels.push_back(c);
    }
  }
  return img;
}

TRGBImage Coffee() {
  TRGBImage img{24, 24, {}};
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 24; ++x) {
      TRGB c{235, 230, 220};
      if (y >= 8 && y < 21 && x >= 4 && x < 17) c = {250, 250, 250};            // the cup
      if (y >= 9 && y < 12 && x >= 5 && x < 16) c = {110, 60, 25};              // coffee
      if (y >= 11 && y < 17 && (x == 17 || x == 19) ) c = {250, 250, 250};      // handle
      if ((y == 11 || y == 17) && x >= 17 && x < 20) c = {250, 250, 250};
      if (y >= 21 && y < 23 && x >= 2 && x < 21) c = {200, 200, 205};           // saucer
      if (y < 7 && ((x == 8 && y % 3 != 0) || (x == 12 && y % 3 != 1))) c = {170, 170, 170};  // steam
      img.Pixels.push_back(c);
    }
  }
  return img;
}

TRGBImage Beer() {
  TRGBImage img{24, 24, {}};
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 24; ++x) {
      TRGB c{200, 225, 240};
      if (x >= 5 && x < 16 && y >= 4 && y < 22) c = {static_cast<std::uint8_t>(230 - y), 160, 20};
      if (x >= 4 && x < 17 && y >= 2 && y < 7) c = {255, 252, 240};
      if (x >= 16 && x < 20 && y >= 8 && y < 17 && !(x >= 17 && x < 19 && y >= 10 && y < 15)) c = {180, 190, 200};
      img.Pixels.push_back(c);
    }
  }
  return img;
}

std::vector<TSampleSmiley> Photos() {
  return {
      {"sunset.jpg", ":sunset:", TSampleGif{}, Sunset()},
      {"coffee.jpg", ":coffee:", TSampleGif{}, Coffee()},
      {"beer.jpg", ":beer:", TSampleGif{}, Beer()},
  };
}

struct TSampleGroup {
  std::string Name;  // UTF-8
  std::vector<TSampleSmiley> Smilies;
};

int Make(const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  std::vector<TSampleGroup> groups = {
      {"Faces", Faces()},
      {"Анимация", Animations()},
      {"Objects", Objects()},
  };
  for (TSampleSmiley& photo : Photos()) groups[2].Smilies.push_back(std::move(photo));

  // UTF-8 with a byte-order mark, so the Cyrillic group name reads the same
  // whatever the system code page.
  std::string list = "\xEF\xBB\xBF";
  list += "width=360        // the panel, in pixels\n";
  list += "height=160\n\n";
  int count = 0;
  for (const TSampleGroup& g : groups) {
    list += "[" + g.Name + "]\n";
    for (const TSampleSmiley& s : g.Smilies) {
      const std::filesystem::path file = dir / s.File;
      const bool ok = s.Photo.Width > 0 ? WriteJpeg(file, s.Photo, 85) : WriteGif(file, s.Gif);
      if (!ok) {
        std::fprintf(stderr, "quorix-make-samples: cannot write %s\n", file.string().c_str());
        return 1;
      }
      list += s.File + "|(" + s.Code + ")\n";
      ++count;
    }
    list += "\n";
  }
  std::ofstream out(dir / "Smilies_serv.txt", std::ios::binary);
  out << list;
  if (!out) {
    std::fprintf(stderr, "quorix-make-samples: cannot write the list file\n");
    return 1;
  }
  std::printf("%d smilies in %zu groups written to %s\n", count, groups.size(), dir.string().c_str());
  return 0;
}

}  // namespace
}  // namespace quorix::samples

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '-') {
    std::fprintf(stderr, "Usage: quorix-make-samples OUTDIR\nDraws the sample smilies set into OUTDIR.\n");
    return argc == 2 && std::string(argv[1]) == "--help" ? 0 : 2;
  }
  return quorix::samples::Make(argv[1]);
}
