#include "pictures/gif_image.h"

#include <algorithm>
#include <limits>

#include "pictures/gif_reader.h"
#include "platform/errors.h"

namespace quorix {

namespace {

TPixel PixelOf(const TGIFColor& c) {
  return 0xFF000000u | (static_cast<TPixel>(c.Red) << 16) | (static_cast<TPixel>(c.Green) << 8) | c.Blue;
}

// Indices beyond the colour table, and every index of a frame without any
// table, draw black.
std::unique_ptr<std::array<TPixel, 256>> MakeLookup(const TGIFColorTable& table) {
  auto lookup = std::make_unique<std::array<TPixel, 256>>();
  lookup->fill(PixelFromColor(clBlack));
  const std::size_t n = std::min<std::size_t>(table.size(), lookup->size());
  for (std::size_t i = 0; i < n; ++i) (*lookup)[i] = PixelOf(table[i]);
  return lookup;
}

int ClampToInt(long long v) {
  return static_cast<int>(
      std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

// ---------------------------------------------------------------- TGIFFrame

TGIFFrame::~TGIFFrame() = default;

const TGIFColorTable& TGIFFrame::ActiveColorTable() const {
  return localColorTable_.empty() ? owner_->GlobalColorTable() : localColorTable_;
}

std::uint8_t TGIFFrame::GetIndex(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width || y >= Height) return 0;
  const std::size_t offset = static_cast<std::size_t>(y) * Width + static_cast<std::size_t>(x);
  return offset < pixels_.size() ? pixels_[offset] : 0;
}

const TGIFFrame::PixelLookup& TGIFFrame::Palette() {
  if (!palette_) palette_ = MakeLookup(ActiveColorTable());
  return *palette_;
}

const TBitmap* TGIFFrame::MakeBitmap() {
  if (bitmap_) return bitmap_.get();
  const PixelLookup& lookup = Palette();
  auto bitmap = std::make_unique<TBitmap>(Width, Height);
  const std::size_t w = Width;
  for (int y = 0; y < Height; ++y) {
    TPixel* row = bitmap->Scanline(y);
    const std::size_t offset = static_cast<std::size_t>(y) * w;
    const std::size_t stored = offset < pixels_.size() ? std::min(w, pixels_.size() - offset) : 0;
    for (std::size_t x = 0; x < stored; ++x) row[x] = lookup[pixels_[offset + x]];
    std::fill(row + stored, row + w, lookup[0]);
  }
  bitmap_ = std::move(bitmap);
  return bitmap_.get();
}

const TMask& TGIFFrame::Mask() {
  if (mask_) return *mask_;
  auto mask = std::make_unique<TMask>();
  mask->Width = Width;
  mask->Height = Height;
  const auto transparentIndex = static_cast<std::uint8_t>(controlExtension_ ? controlExtension_->GetTransparentColorIndex() : 0);
  mask->Transparent.assign(static_cast<std::size_t>(PixelCount()), transparentIndex == 0 ? 1 : 0);
  for (std::size_t i = 0; i < pixels_.size(); ++i) mask->Transparent[i] = pixels_[i] == transparentIndex ? 1 : 0;
  mask_ = std::move(mask);
  return *mask_;
}

void TGIFFrame::SetHasBitmap(bool value) {
  if (!value) {
    bitmap_.reset();
  } else if (!GetEmpty() && PixelCount() <= kGIFMaxCachedBitmapPixels) {
    MakeBitmap();
  }
}

void TGIFFrame::StretchDraw(TCanvas& canvas, const TRect& rect, bool transparent, bool tile) {
  (void)tile;
  if (GetEmpty() || rect.Width() == 0 || rect.Height() == 0) return;
  const bool masked = transparent && GetTransparent();
  if (PixelCount() > kGIFMaxCachedBitmapPixels) {
    DrawSampled(canvas, rect, masked);
    return;
  }
  const TBitmap& bitmap = *MakeBitmap();
  if (masked) {
    canvas.StretchDrawMasked(rect, bitmap, Mask());
  } else {
    canvas.StretchDrawBitmap(rect, bitmap);
  }
}

void TGIFFrame::Draw(TCanvas& canvas, const TRect& rect, bool transparent, bool tile) {
  const int w = owner_->GetWidth();
  const int h = owner_->GetHeight();
  const int rw = rect.Width();
  const int rh = rect.Height();
  const TRect target{
      ClampToInt(static_cast<long long>(rect.Left) + MulDiv(Left, rw, w)),
      ClampToInt(static_cast<long long>(rect.Top) + MulDiv(Top, rh, h)),
      ClampToInt(static_cast<long long>(rect.Left) + MulDiv(Left + Width, rw, w)),
      ClampToInt(static_cast<long long>(rect.Top) + MulDiv(Top + Height, rh, h)),
  };
  StretchDraw(canvas, target, transparent, tile);
}

// A frame too big to cache at its own size: only the part of rect that the
// canvas can show is sampled, with the canvas's own nearest-pixel mapping
// (mirrored rectangles included), a tile at a time, so memory stays at one
// tile whatever the frame declares.
void TGIFFrame::DrawSampled(TCanvas& canvas, const TRect& rect, bool masked) {
  const TRect dest{std::min(rect.Left, rect.Right), std::min(rect.Top, rect.Bottom), std::max(rect.Left, rect.Right),
                   std::max(rect.Top, rect.Bottom)};
  const bool flipX = rect.Right < rect.Left;
  const bool flipY = rect.Bottom < rect.Top;
  TRect visible;
  if (!IntersectRect(visible, dest, canvas.GetClipRect())) return;
  const PixelLookup& lookup = Palette();
  const int transparentIndex = masked ? controlExtension_->GetTransparentColorIndex() : -1;
  const long long dw = dest.Width();
  const long long dh = dest.Height();
  auto sourceOf = [](int offset, long long extent, bool flip, int size) {
    const long long i = flip ? extent - 1 - offset : offset;
    return static_cast<int>(i * size / extent);
  };
  const int tileWidth = std::min(visible.Width(), 1024);
  const int tileHeight = std::max(1, static_cast<int>(kGIFDrawTilePixels / static_cast<std::size_t>(tileWidth)));
  std::vector<int> sourceX(static_cast<std::size_t>(tileWidth));
  TBitmap tileBitmap;
  TMask tileMask;
  for (int ty = visible.Top; ty < visible.Bottom; ty += tileHeight) {
    const int th = std::min(tileHeight, visible.Bottom - ty);
    for (int tx = visible.Left; tx < visible.Right; tx += tileWidth) {
      const int tw = std::min(tileWidth, visible.Right - tx);
      tileBitmap.SetSize(tw, th);
      if (masked) {
        tileMask.Width = tw;
        tileMask.Height = th;
        tileMask.Transparent.assign(static_cast<std::size_t>(tw) * th, 0);
      }
      for (int x = 0; x < tw; ++x) sourceX[x] = sourceOf(tx + x - dest.Left, dw, flipX, Width);
      for (int y = 0; y < th; ++y) {
        const int sy = sourceOf(ty + y - dest.Top, dh, flipY, Height);
        TPixel* row = tileBitmap.Scanline(y);
        for (int x = 0; x < tw; ++x) {
          const std::uint8_t index = GetIndex(sourceX[x], sy);
          row[x] = lookup[index];
          if (index == transparentIndex) tileMask.Transparent[static_cast<std::size_t>(y) * tw + x] = 1;
        }
      }
      const TRect tileRect = Bounds(tx, ty, tw, th);
      if (masked) {
        canvas.StretchDrawMasked(tileRect, tileBitmap, tileMask);
      } else {
        canvas.StretchDrawBitmap(tileRect, tileBitmap);
      }
    }
  }
}

// ------------------------------------------------------------ TGIFImageList

TGIFFrame& TGIFImageList::GetFrame(int index) const {
  if (index < 0 || index >= GetCount()) throw EListError(index);
  return *frames_[static_cast<std::size_t>(index)];
}

// ---------------------------------------------------------------- TGIFImage

TGIFImage::TGIFImage() { transparent_ = GIFImageDefaultTransparent; }

TGIFImage::~TGIFImage() = default;

void TGIFImage::Clear() {
  frames_.Clear();
  width_ = 0;
  height_ = 0;
  backgroundIndex_ = 0;
  aspectRatio_ = 0;
  globalColorTable_.clear();
  palette_.reset();
}

void TGIFImage::LoadFromStream(TStream& stream) {
  Clear();
  const std::int64_t start = stream.Position();
  // A memory stream is read in place; any other stream is read to its end first.
  std::string owned;
  std::string_view bytes;
  if (auto* memory = dynamic_cast<TMemoryStream*>(&stream)) {
    bytes = memory->RemainingBytes();
  } else {
    char chunk[65536];
    while (std::size_t n = stream.Read(chunk, sizeof chunk)) owned.append(chunk, n);
    bytes = owned;
  }
  std::size_t consumed = 0;
  try {
    consumed = TGIFReader::Read(bytes, *this);
  } catch (...) {
    Clear();
    stream.SetPosition(start);
    throw;
  }
  stream.SetPosition(start + static_cast<std::int64_t>(consumed));
}

void TGIFImage::Assign(const TGraphic* source) {
  if (source == this) return;
  if (source == nullptr) {
    Clear();
    return;
  }
  const auto* gif = dynamic_cast<const TGIFImage*>(source);
  if (gif == nullptr) throw EInvalidGraphic(std::string("Cannot assign a ") + source->ClassName() + " to a TGIFImage");

  // Built aside first, so a failure half-way leaves this picture as it was.
  TGIFImageList frames;
  for (int i = 0; i < gif->GetCount(); ++i) {
    const TGIFFrame& from = gif->GetFrame(i);
    auto to = std::make_unique<TGIFFrame>(this);
    to->Left = from.Left;
    to->Top = from.Top;
    to->Width = from.Width;
    to->Height = from.Height;
    to->interlaced_ = from.interlaced_;
    to->localColorTable_ = from.ActiveColorTable();
    to->hasPixelData_ = from.hasPixelData_;
    to->pixels_ = from.pixels_;
    for (const auto& extension : from.extensions_) {
      to->extensions_.push_back(extension->Clone());
      if (extension.get() == from.controlExtension_) {
        to->controlExtension_ = static_cast<const TGIFGraphicControlExtension*>(to->extensions_.back().get());
      }
    }
    if (from.bitmap_) to->bitmap_ = std::make_unique<TBitmap>(*from.bitmap_);
    frames.Add(std::move(to));
  }
  Clear();
  width_ = gif->width_;
  height_ = gif->height_;
  backgroundIndex_ = gif->backgroundIndex_;
  aspectRatio_ = gif->aspectRatio_;
  globalColorTable_ = gif->globalColorTable_;
  frames_ = std::move(frames);
  transparent_ = gif->GetTransparent();
  animate_ = gif->animate_;
}

TColor TGIFImage::BackgroundColor() const {
  if (backgroundIndex_ < 0 || static_cast<std::size_t>(backgroundIndex_) >= globalColorTable_.size()) return clBlack;
  const TGIFColor& c = globalColorTable_[static_cast<std::size_t>(backgroundIndex_)];
  return RGB(c.Red, c.Green, c.Blue);
}

std::size_t TGIFImage::StoredPixelCount() const {
  std::size_t total = 0;
  for (int i = 0; i < GetCount(); ++i) total += GetFrame(i).StoredIndices().size();
  return total;
}

void TGIFImage::SetPalette(HPALETTE palette) {
  if (palette == 0) palette_.reset();
}

// The picture draws its first frame. The animate flag is kept but never acted
// on: animation belongs to the rich view's GIF animator.
void TGIFImage::Draw(TCanvas& canvas, const TRect& rect) {
  if (drawing_ || GetEmpty()) return;
  drawing_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{drawing_};

  if (!palette_) palette_ = MakeLookup(globalColorTable_);
  TGIFFrame& first = GetFrame(0);
  if (!GetTransparent() && first.GetTransparent()) {
    const TBrush saved = canvas.Brush;
    canvas.Brush.Color = BackgroundColor();
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(rect);
    canvas.Brush = saved;
  }
  first.Draw(canvas, rect, GetTransparent(), false);
}

}  // namespace quorix
