#include "platform/qt/font_cache.h"

#include <QFontInfo>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <tuple>

#include "platform/qt/gui_application.h"
#include "platform/text.h"

namespace quorix::qt {

namespace {

// A font made for Height 0 ("some default size") gets this character height.
constexpr int kDefaultEmHeight = 12;

QString ToQString(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

QFont BaseFont(const TFont& f, int pixelSize) {
  QFont font(MapFaceName(f.Name));
  font.setPixelSize(std::max(pixelSize, 1));
  font.setWeight(f.Style.Contains(fsBold) ? QFont::Bold : QFont::Normal);
  font.setItalic(f.Style.Contains(fsItalic));
  font.setUnderline(f.Style.Contains(fsUnderline));
  font.setStrikeOut(f.Style.Contains(fsStrikeOut));
  if (f.Pitch == fpFixed) font.setFixedPitch(true);
  // Glyphs are placed by their own advances, one after the other, as the
  // classic text calls place them: no kerning, and no shaping where a script
  // does not need it. This keeps the width of a text the sum of the widths of
  // its characters, which line breaking relies on.
  font.setKerning(false);
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

int CellHeight(const QFont& font) {
  const QFontMetrics m(font);
  return m.ascent() + m.descent();
}

// The character height whose cell height (ascent + descent) is the largest
// not above cellHeight: what a positive logical-font height asks for.
int EmForCellHeight(const TFont& f, int cellHeight) {
  QFont probe = BaseFont(f, cellHeight);
  const int cellAtProbe = std::max(CellHeight(probe), 1);
  int em = std::max(1, static_cast<int>(std::lround(static_cast<double>(cellHeight) * cellHeight / cellAtProbe)));
  auto cellAt = [&](int px) {
    probe.setPixelSize(px);
    return CellHeight(probe);
  };
  for (int i = 0; i < 8 && em > 1 && cellAt(em) > cellHeight; ++i) --em;
  for (int i = 0; i < 8 && cellAt(em + 1) <= cellHeight; ++i) ++em;
  return em;
}

int AverageWidth(const QFontMetrics& m) {
  const int avg = m.averageCharWidth();
  return avg > 0 ? avg : m.horizontalAdvance(QLatin1Char('x'));
}

std::int16_t ReadInt16(const QByteArray& table, int offset) {
  const auto hi = static_cast<unsigned char>(table[offset]);
  const auto lo = static_cast<unsigned char>(table[offset + 1]);
  return static_cast<std::int16_t>((hi << 8) | lo);
}

bool IsSimpleChar(char16_t c) {
  if (c < 0x0300) return true;                    // Latin, spacing modifiers
  if (c < 0x0370) return false;                   // combining diacritics
  if (c >= 0x0483 && c <= 0x0489) return false;   // Cyrillic combining marks
  if (c < 0x0590) return true;                    // Greek, Cyrillic, Armenian
  if (c >= 0x1E00 && c < 0x2000) return true;     // Latin and Greek extended
  if (c >= 0x2000 && c < 0x2C00) {                // punctuation, symbols
    if (c >= 0x200C && c <= 0x200F) return false; // joiners, direction marks
    if (c >= 0x202A && c <= 0x202E) return false; // embeddings
    if (c >= 0x2066 && c <= 0x2069) return false; // isolates
    if (c >= 0x20D0 && c <= 0x20FF) return false; // combining marks for symbols
    return true;
  }
  if (c >= 0x3000 && c < 0xA000) return c < 0x302A || c > 0x302F;  // CJK (less its tone marks)
  if (c >= 0xAC00 && c < 0xD7A4) return true;     // Hangul syllables
  if (c >= 0xFF00 && c < 0xFFF0) return true;     // half- and full-width forms
  return false;
}

struct FontKey {
  std::u16string name;
  int height;
  int width;
  unsigned long long style;
  int pitch;
  bool operator<(const FontKey& o) const {
    return std::tie(height, width, style, pitch, name) < std::tie(o.height, o.width, o.style, o.pitch, o.name);
  }
};

using FontMap = std::map<FontKey, std::shared_ptr<FontEntry>>;

// Set once the shared fonts are gone at exit: an application destroyed later
// (one the canvas made itself) must not clear them again.
bool g_fontsDestroyed = false;

struct FontStore {
  FontMap map;
  ~FontStore() { g_fontsDestroyed = true; }
};

FontMap& Fonts() {
  static FontStore store;
  return store.map;
}

// A bound on the shared fonts; canvases keep the entries they use alive.
constexpr std::size_t kMaxFonts = 512;

}  // namespace

QString MapFaceName(std::u16string_view name) {
  const UnicodeString lower = LowerCase(name);
  if (lower == u"ms sans serif" || lower == u"ms shell dlg" || lower == u"ms shell dlg 2" || lower == u"tahoma") {
    return QStringLiteral("DejaVu Sans");
  }
  if (lower == u"arial") return QStringLiteral("Liberation Sans");
  if (lower == u"times new roman") return QStringLiteral("Liberation Serif");
  if (lower == u"courier new") return QStringLiteral("Liberation Mono");
  return ToQString(name);
}

namespace {

QFont MakeFont(const TFont& f, int& emHeight) {
  if (f.Height < 0) {
    emHeight = -f.Height;
  } else if (f.Height > 0) {
    emHeight = EmForCellHeight(f, f.Height);
  } else {
    emHeight = kDefaultEmHeight;
  }
  QFont font = BaseFont(f, emHeight);
  if (f.Width > 0) {
    // An average-width request: stretch the glyphs horizontally so that the
    // average character width becomes Width.
    const int natural = AverageWidth(QFontMetrics(font));
    if (natural > 0) {
      const int stretch = std::clamp(static_cast<int>(std::lround(f.Width * 100.0 / natural)), 1, 4000);
      if (stretch != 100) font.setStretch(stretch);
    }
  }
  return font;
}

}  // namespace

FontEntry::FontEntry(const TFont& f)
    : emHeight_(0), font_(MakeFont(f, emHeight_)), metrics_(font_), metricsF_(font_) {
  direct_.fill(std::numeric_limits<float>::quiet_NaN());
  TTextMetric& tm = textMetric_;
  tm.tmAscent = metrics_.ascent();
  tm.tmDescent = metrics_.descent();
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  tm.tmInternalLeading = std::max(tm.tmHeight - emHeight_, 0);
  tm.tmExternalLeading = std::max(metrics_.leading(), 0);
  // An average-width request is answered as asked, as the classic platform
  // does; the stretched glyphs come within rounding of it.
  tm.tmAveCharWidth = f.Width > 0 ? f.Width : AverageWidth(metrics_);
  tm.tmMaxCharWidth = std::max(metrics_.maxWidth(), tm.tmAveCharWidth);
  tm.tmWeight = f.Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  tm.tmItalic = f.Style.Contains(fsItalic);
  tm.tmUnderlined = f.Style.Contains(fsUnderline);
  tm.tmStruckOut = f.Style.Contains(fsStrikeOut);
  // Vector, TrueType, and (the classic bit's inverted sense) variable pitch.
  tm.tmPitchAndFamily = 0x06 | (QFontInfo(font_).fixedPitch() ? 0 : 0x01);
  tm.tmCharSet = f.Charset;
}

const TOutlineTextMetric& FontEntry::OutlineMetric() {
  if (outline_) return *outline_;
  TOutlineTextMetric om;
  om.otmTextMetrics = textMetric_;
  const double em = emHeight_;
  const double stretch = font_.stretch() > 0 ? font_.stretch() / 100.0 : 1.0;
  // Sub- and superscript sizes and offsets come from the font's OS/2 table,
  // as the classic outline metrics report them, scaled from font units to
  // pixels (x values also by the horizontal stretch). A font without that
  // table gets the proportions most fonts use: scripts at 65% of the
  // character height and 70% of its width, subscripts 14% below the
  // baseline, superscripts 48% above it.
  const QRawFont raw = QRawFont::fromFont(font_);
  const QByteArray os2 = raw.isValid() ? raw.fontTable("OS/2") : QByteArray();
  const double unitsPerEm = raw.isValid() ? raw.unitsPerEm() : 0.0;
  if (os2.size() >= 30 && unitsPerEm > 0) {
    const double y = em / unitsPerEm;
    const double x = y * stretch;
    auto sx = [&](int offset) { return static_cast<int>(std::lround(ReadInt16(os2, offset) * x)); };
    auto sy = [&](int offset) { return static_cast<int>(std::lround(ReadInt16(os2, offset) * y)); };
    om.otmptSubscriptSize = {sx(10), sy(12)};
    om.otmptSubscriptOffset = {sx(14), sy(16)};
    om.otmptSuperscriptSize = {sx(18), sy(20)};
    om.otmptSuperscriptOffset = {sx(22), sy(24)};
  } else {
    const int sizeX = static_cast<int>(std::lround(em * 0.70 * stretch));
    const int sizeY = static_cast<int>(std::lround(em * 0.65));
    om.otmptSubscriptSize = {sizeX, sizeY};
    om.otmptSubscriptOffset = {0, static_cast<int>(std::lround(em * 0.14))};
    om.otmptSuperscriptSize = {sizeX, sizeY};
    om.otmptSuperscriptOffset = {0, static_cast<int>(std::lround(em * 0.48))};
  }
  // The underline comes from the 'post' table and the strike-out line from
  // OS/2, again as the classic metrics report them (the underline position is
  // negative below the baseline). Without those tables the toolkit's metrics
  // answer: its underline position is the distance below the baseline, its
  // strike-out position the distance above it, both lines lineWidth thick.
  const QByteArray post = raw.isValid() ? raw.fontTable("post") : QByteArray();
  const double y = unitsPerEm > 0 ? em / unitsPerEm : 0.0;
  if (post.size() >= 12 && y > 0) {
    // At least one pixel below the baseline: some fonts (Liberation Sans 2
    // among them) put the line so close that small sizes round it onto the
    // baseline, where it would run through the descenders' roots.
    om.otmsUnderscorePosition = std::min(static_cast<int>(std::lround(ReadInt16(post, 8) * y)), -1);
    om.otmsUnderscoreSize = std::max(static_cast<int>(std::lround(ReadInt16(post, 10) * y)), 1);
  } else {
    om.otmsUnderscorePosition = -std::max(metrics_.underlinePos(), 1);
    om.otmsUnderscoreSize = std::max(metrics_.lineWidth(), 1);
  }
  if (os2.size() >= 30 && y > 0) {
    om.otmsStrikeoutSize = std::max(static_cast<int>(std::lround(ReadInt16(os2, 26) * y)), 1);
    om.otmsStrikeoutPosition = static_cast<int>(std::lround(ReadInt16(os2, 28) * y));
  } else {
    om.otmsStrikeoutSize = std::max(metrics_.lineWidth(), 1);
    om.otmsStrikeoutPosition = metrics_.strikeOutPos();
  }
  outline_ = om;
  return *outline_;
}

bool FontEntry::IsSimpleText(std::u16string_view text) {
  for (char16_t c : text) {
    if (!IsSimpleChar(c)) return false;
  }
  return true;
}

double FontEntry::Advance(std::u16string_view text, std::size_t i) {
  const char16_t c = text[i];
  if (c < kDirect) {
    float& a = direct_[c];
    if (std::isnan(a)) a = static_cast<float>(metricsF_.horizontalAdvance(QChar(c)));
    return a;
  }
  auto it = other_.find(c);
  if (it == other_.end()) {
    it = other_.emplace(c, static_cast<float>(metricsF_.horizontalAdvance(QChar(c)))).first;
  }
  return it->second;
}

int FontEntry::ShapedWidth(std::u16string_view text) const {
  return static_cast<int>(std::lround(metricsF_.horizontalAdvance(ToQString(text))));
}

int FontEntry::Width(std::u16string_view text) {
  if (text.empty()) return 0;
  if (!IsSimpleText(text)) return ShapedWidth(text);
  double sum = 0;
  for (std::size_t i = 0; i < text.size(); ++i) sum += Advance(text, i);
  return static_cast<int>(std::lround(sum));
}

void FontEntry::PrefixWidths(std::u16string_view text, int extra, std::vector<int>& dx) {
  dx.resize(text.size());
  if (text.empty()) return;
  if (IsSimpleText(text)) {
    double sum = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      sum += Advance(text, i);
      dx[i] = static_cast<int>(std::lround(sum)) + static_cast<int>(i + 1) * extra;
    }
    return;
  }
  // Shaped text: the caret position after each character of the whole
  // layout, so that contextual forms are measured as they are drawn; the last
  // entry is the whole width.
  QTextLayout layout(ToQString(text), font_);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  const int whole = ShapedWidth(text);
  int previous = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    int w = i + 1 == text.size() ? whole
                                 : static_cast<int>(std::lround(line.cursorToX(static_cast<int>(i + 1))));
    w = std::clamp(w, previous, std::max(previous, whole));
    previous = w;
    dx[i] = w + static_cast<int>(i + 1) * extra;
  }
}

const QList<QGlyphRun>& FontEntry::GlyphRuns(std::u16string_view text) {
  std::u16string key(text);
  auto it = shaped_.find(key);
  if (it != shaped_.end()) return it->second;
  if (shaped_.size() >= kMaxShapedTexts) shaped_.clear();
  QTextLayout layout(ToQString(text), font_);
  layout.setCacheEnabled(true);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  line.setPosition(QPointF(0, 0));
  layout.endLayout();
  QList<QGlyphRun> runs = layout.glyphRuns();
  const qreal ascent = line.ascent();
  for (QGlyphRun& run : runs) {
    QList<QPointF> positions = run.positions();
    for (QPointF& p : positions) p.ry() -= ascent;
    run.setPositions(positions);
  }
  return shaped_.emplace(std::move(key), std::move(runs)).first->second;
}

bool SameFace(const TFont& a, const TFont& b) {
  return a.Height == b.Height && a.Width == b.Width && a.Style == b.Style && a.Pitch == b.Pitch && a.Name == b.Name;
}

std::shared_ptr<FontEntry> FindFont(const TFont& font) {
  EnsureGuiApplication();
  FontMap& fonts = Fonts();
  FontKey key{font.Name, font.Height, font.Width, font.Style.ToMask(), static_cast<int>(font.Pitch)};
  auto it = fonts.find(key);
  if (it != fonts.end()) return it->second;
  if (fonts.size() >= kMaxFonts) fonts.clear();
  auto entry = std::make_shared<FontEntry>(font);
  fonts.emplace(std::move(key), entry);
  return entry;
}

void ReleaseFontCache() {
  if (!g_fontsDestroyed) Fonts().clear();
}

}  // namespace quorix::qt
