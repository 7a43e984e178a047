#include "pictures/jpeg_image.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h wants size_t and FILE declared before it.
#include <jpeglib.h>

namespace quorix {

namespace {

// Progressive files may hold any number of scans, each a pass over the whole
// image; real encoders write about ten.
constexpr int kMaxScans = 1000;

// libjpeg reports fatal errors through error_exit, which by default prints
// and calls exit(). Ours jumps back to the call that started the work, which
// then destroys the decompressor and reports failure. Only plain C objects
// live between the setjmp and the libjpeg calls that may jump.
struct ErrorManager {
  jpeg_error_mgr Base;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr cinfo) {
  auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, manager->Message);
  std::longjmp(manager->Jump, 1);
}

// Warnings (damaged data that libjpeg decodes as best it can) and traces are
// not printed.
void OnMessage(j_common_ptr, int) {}
void OnOutput(j_common_ptr) {}

void OnProgress(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(manager->Message, sizeof manager->Message, "too many scans");
    std::longjmp(manager->Jump, 1);
  }
}

void Prepare(jpeg_decompress_struct& cinfo, ErrorManager& errors, jpeg_progress_mgr& progress) {
  std::memset(&cinfo, 0, sizeof cinfo);
  std::memset(&progress, 0, sizeof progress);
  cinfo.err = jpeg_std_error(&errors.Base);
  errors.Base.error_exit = OnError;
  errors.Base.emit_message = OnMessage;
  errors.Base.output_message = OnOutput;
  errors.Message[0] = 0;
  progress.progress_monitor = OnProgress;
}

struct HeaderInfo {
  int Width = 0;
  int Height = 0;
  bool Grayscale = false;
  bool Progressive = false;
};

bool ReadHeader(const std::string& bytes, HeaderInfo& info, std::string& error) {
  jpeg_decompress_struct cinfo;
  ErrorManager errors;
  jpeg_progress_mgr progress;
  Prepare(cinfo, errors, progress);
  if (setjmp(errors.Jump)) {
    jpeg_destroy_decompress(&cinfo);
    error = errors.Message;
    return false;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.progress = &progress;
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  info.Width = static_cast<int>(cinfo.image_width);
  info.Height = static_cast<int>(cinfo.image_height);
  info.Grayscale = cinfo.jpeg_color_space == JCS_GRAYSCALE;
  info.Progressive = cinfo.progressive_mode != 0;
  jpeg_destroy_decompress(&cinfo);
  return true;
}

// The first of 1, 1/2, 1/4, 1/8 at which the bitmap stays within bounds; 0
// when none does.
unsigned ScaleDenominator(std::size_t width, std::size_t height) {
  if (width * height > kJPEGMaxSourcePixels) return 0;
  for (unsigned d = 1; d <= 8; d *= 2) {
    if (((width + d - 1) / d) * ((height + d - 1) / d) <= kJPEGMaxDecodedPixels) return d;
  }
  return 0;
}

void ConvertRow(const JSAMPLE* in, TPixel* out, unsigned width, J_COLOR_SPACE space, bool adobe) {
  switch (space) {
    case JCS_GRAYSCALE:
      for (unsigned x = 0; x < width; ++x) {
        const TPixel g = in[x];
        out[x] = 0xFF000000u | (g << 16) | (g << 8) | g;
      }
      break;
    case JCS_CMYK:
      // Adobe's writers store CMYK inverted; others as is.
      for (unsigned x = 0; x < width; ++x, in += 4) {
        unsigned c = in[0], m = in[1], y = in[2], k = in[3];
        if (!adobe) {
          c = 255 - c;
          m = 255 - m;
          y = 255 - y;
          k = 255 - k;
        }
        out[x] = 0xFF000000u | ((c * k / 255) << 16) | ((m * k / 255) << 8) | (y * k / 255);
      }
      break;
    default:
      for (unsigned x = 0; x < width; ++x, in += 3) {
        out[x] = 0xFF000000u | (static_cast<TPixel>(in[0]) << 16) | (static_cast<TPixel>(in[1]) << 8) | in[2];
      }
      break;
  }
}

// Decodes the whole image into bitmap; false (with a message) on failure.
bool DecodeInto(const std::string& bytes, TBitmap& bitmap, std::string& error) {
  jpeg_decompress_struct cinfo;
  ErrorManager errors;
  jpeg_progress_mgr progress;
  Prepare(cinfo, errors, progress);
  if (setjmp(errors.Jump)) {
    jpeg_destroy_decompress(&cinfo);
    error = errors.Message;
    return false;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = static_cast<long>(kJPEGMaxWorkingMemory);
  cinfo.progress = &progress;
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);

  const unsigned denominator = ScaleDenominator(cinfo.image_width, cinfo.image_height);
  if (denominator == 0) {
    jpeg_destroy_decompress(&cinfo);
    error = "image too large to decode";
    return false;
  }
  cinfo.scale_num = 1;
  cinfo.scale_denom = denominator;
  if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) {
    cinfo.out_color_space = JCS_CMYK;
  } else if (cinfo.num_components == 1) {
    cinfo.out_color_space = JCS_GRAYSCALE;
  } else {
    cinfo.out_color_space = JCS_RGB;
  }
  jpeg_calc_output_dimensions(&cinfo);
  const unsigned width = cinfo.output_width;
  const unsigned height = cinfo.output_height;
  try {
    bitmap.SetSize(static_cast<int>(width), static_cast<int>(height));
  } catch (...) {
    jpeg_destroy_decompress(&cinfo);
    throw;
  }
  jpeg_start_decompress(&cinfo);
  JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                              width * static_cast<unsigned>(cinfo.output_components), 1);
  while (cinfo.output_scanline < height) {
    const unsigned y = cinfo.output_scanline;
    if (jpeg_read_scanlines(&cinfo, row, 1) != 1) break;
    ConvertRow(row[0], bitmap.Scanline(static_cast<int>(y)), width, cinfo.out_color_space,
               cinfo.saw_Adobe_marker != 0);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::Clear() {
  data_.reset();
  width_ = 0;
  height_ = 0;
  grayscale_ = false;
  progressive_ = false;
  decodeFailed_ = false;
  bitmap_.reset();
}

void TJPEGImage::LoadFromStream(TStream& stream) {
  Clear();
  const std::int64_t start = stream.Position();
  std::string bytes;
  char chunk[65536];
  while (std::size_t n = stream.Read(chunk, sizeof chunk)) bytes.append(chunk, n);
  if (bytes.empty()) return;
  HeaderInfo info;
  std::string error;
  if (!ReadHeader(bytes, info, error)) {
    stream.SetPosition(start);
    throw EInvalidGraphic("JPEG: " + error);
  }
  data_ = std::make_shared<const std::string>(std::move(bytes));
  width_ = info.Width;
  height_ = info.Height;
  grayscale_ = info.Grayscale;
  progressive_ = info.Progressive;
}

bool TJPEGImage::Decode() {
  if (bitmap_) return true;
  if (!data_ || decodeFailed_) return false;
  auto bitmap = std::make_unique<TBitmap>();
  std::string error;
  if (!DecodeInto(*data_, *bitmap, error)) {
    decodeFailed_ = true;
    return false;
  }
  bitmap_ = std::move(bitmap);
  return true;
}

void TJPEGImage::Draw(TCanvas& canvas, const TRect& rect) {
  if (GetEmpty() || rect.IsEmpty() || !Decode()) return;
  canvas.StretchDrawBitmap(rect, *bitmap_);
}

void TJPEGImage::Assign(const TGraphic* source) {
  if (source == this) return;
  if (source == nullptr) {
    Clear();
    return;
  }
  const auto* jpeg = dynamic_cast<const TJPEGImage*>(source);
  if (jpeg == nullptr) throw EInvalidGraphic(std::string("Cannot assign a ") + source->ClassName() + " to a TJPEGImage");
  auto bitmap = jpeg->bitmap_ ? std::make_unique<TBitmap>(*jpeg->bitmap_) : nullptr;
  data_ = jpeg->data_;
  width_ = jpeg->width_;
  height_ = jpeg->height_;
  grayscale_ = jpeg->grayscale_;
  progressive_ = jpeg->progressive_;
  decodeFailed_ = jpeg->decodeFailed_;
  bitmap_ = std::move(bitmap);
  transparent_ = jpeg->transparent_;
}

}  // namespace quorix
