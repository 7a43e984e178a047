#pragma once
// Pictures for the rich-view tests: a picture that counts its instances and
// records where it is drawn, under any class name (a "TJPEGImage" stands in
// for JPEG pictures, which live in another library).

#include <memory>
#include <string>
#include <vector>

#include "platform/graphics.h"

namespace quorix::test {

class CountingPicture : public TGraphic {
 public:
  explicit CountingPicture(int width = 16, int height = 16, std::string className = "TCountingPicture")
      : width_(width), height_(height), className_(std::move(className)) {
    ++Live;
  }
  ~CountingPicture() override { --Live; }

  int GetWidth() const override { return width_; }
  int GetHeight() const override { return height_; }
  void Draw(TCanvas&, const TRect& rect) override {
    Draws.push_back(rect);
    if (ThrowOnDraw) throw Exception("picture cannot draw");
  }
  void Assign(const TGraphic* source) override {
    const auto* other = dynamic_cast<const CountingPicture*>(source);
    if (source && !other) throw EInvalidGraphic("not a counting picture");
    width_ = other ? other->width_ : 0;
    height_ = other ? other->height_ : 0;
    className_ = other ? other->className_ : className_;
  }
  void LoadFromStream(TStream&) override { throw EInvalidGraphic("no stream format"); }
  std::unique_ptr<TGraphic> CreateEmpty() const override {
    return std::make_unique<CountingPicture>(0, 0, className_);
  }
  const char* ClassName() const override { return className_.c_str(); }
  HPALETTE GetPalette() const override { return palette_; }
  void SetPalette(HPALETTE palette) override { palette_ = palette; }

  static inline int Live = 0;  // instances alive
  std::vector<TRect> Draws;
  bool ThrowOnDraw = false;

 private:
  int width_;
  int height_;
  std::string className_;
  HPALETTE palette_ = 0;
};

}  // namespace quorix::test
