#pragma once
// Fonts of the raster canvas: a canvas font (TFont) made into a toolkit font
// once, with its metrics and a cache of character advances, shared by every
// canvas that selects the same font.

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QList>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/canvas.h"

namespace quorix::qt {

// The family the toolkit is asked for: the classic face names the callers use
// mapped to the metric-compatible families this system ships. Other names go
// to fontconfig as they are.
QString MapFaceName(std::u16string_view name);

class FontEntry {
 public:
  explicit FontEntry(const TFont& font);
  FontEntry(const FontEntry&) = delete;
  FontEntry& operator=(const FontEntry&) = delete;

  const QFont& Font() const { return font_; }
  const QFontMetrics& Metrics() const { return metrics_; }
  // The character (em) height in pixels the font was made with.
  int EmHeight() const { return emHeight_; }
  const TTextMetric& TextMetric() const { return textMetric_; }
  const TOutlineTextMetric& OutlineMetric();

  // Widths in whole pixels, without character extra spacing. For simple text
  // (below) Width of a prefix equals the prefix's entry in PrefixWidths, so
  // measuring a prefix and fitting agree; shaped text takes its prefix widths
  // from the caret positions of the whole shaped line, the last being Width.
  int Width(std::u16string_view text);
  // dx[i] = width of the first i + 1 characters plus (i + 1) * extra.
  void PrefixWidths(std::u16string_view text, int extra, std::vector<int>& dx);

  // Whether Width sums per-character advances for this text (true for text
  // whose glyphs never change with their neighbours: Latin, Greek, Cyrillic,
  // punctuation, CJK); other text is measured by shaping it whole.
  static bool IsSimpleText(std::u16string_view text);

  // The text shaped as the painter draws it, glyph positions relative to a
  // baseline at y = 0. Pages are painted again and again with the same
  // pieces of text, so the shaped glyphs of recent texts are kept.
  const QList<QGlyphRun>& GlyphRuns(std::u16string_view text);

 private:
  double Advance(std::u16string_view text, std::size_t i);
  int ShapedWidth(std::u16string_view text) const;

  int emHeight_;  // set while font_ is made, so declared before it
  QFont font_;
  QFontMetrics metrics_;
  QFontMetricsF metricsF_;
  TTextMetric textMetric_;
  std::optional<TOutlineTextMetric> outline_;
  // Advances of the code units below kDirect, NaN until first asked for.
  static constexpr std::size_t kDirect = 0x600;
  std::array<float, kDirect> direct_;
  std::unordered_map<char32_t, float> other_;
  // Shaped texts, dropped all at once when there are too many.
  static constexpr std::size_t kMaxShapedTexts = 4096;
  std::unordered_map<std::u16string, QList<QGlyphRun>> shaped_;
};

// The shared entry for a font (made on first request).
std::shared_ptr<FontEntry> FindFont(const TFont& font);

// Whether two canvas fonts make the same toolkit font (the colour does not count).
bool SameFace(const TFont& a, const TFont& b);

}  // namespace quorix::qt
