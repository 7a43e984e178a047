#include "smilies/package_builder.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <string_view>

#include "platform/files.h"
#include "smilies/list_file.h"
#include "smilies/package_codec.h"

namespace quorix {

RawByteString SmiliesPackage;

namespace {

// Text for a one-line message: UTF-8 in double quotes, control characters
// escaped so that a stray tab or escape byte cannot break the line.
std::string Quoted(std::u16string_view text) {
  static constexpr char hex[] = "0123456789ABCDEF";
  auto isControl = [](char16_t c) { return c < 32 || c == 127; };
  std::string out = "\"";
  while (!text.empty()) {
    // Runs of printable text convert as a whole, so surrogate pairs stay pairs.
    const std::size_t run = std::find_if(text.begin(), text.end(), isControl) - text.begin();
    out += Utf16ToUtf8(text.substr(0, run));
    text.remove_prefix(run);
    if (text.empty()) break;
    const char16_t c = text.front();
    out += c == u'\t' ? std::string("\\t") : std::string{'\\', 'x', hex[c >> 4], hex[c & 15]};
    text.remove_prefix(1);
  }
  return out + "\"";
}

std::u16string_view TrimSpaces(std::u16string_view s) {
  while (!s.empty() && s.front() == u' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == u' ') s.remove_suffix(1);
  return s;
}

// How the two panel size lines differ: key, range, and what their failures say.
struct TPanelSizeLine {
  std::u16string_view Key;
  int Min = 0;
  int Max = 0;
  const char* What = "";      // "width"
  const char* Position = "";  // "the first line"
  const char* MissingReason = "";
  TSmiliesBuildFailure LineMissing{};
  TSmiliesBuildFailure KeyMissing{};
  TSmiliesBuildFailure NotInteger{};
};

constexpr TPanelSizeLine WidthLine{
    .Key = u"width=",
    .Min = MinPanelWidth,
    .Max = MaxPanelWidth,
    .What = "width",
    .Position = "the first line",
    .MissingReason = "the list is empty; its first line must contain \"width=\"",
    .LineMissing = TSmiliesBuildFailure::ListEmpty,
    .KeyMissing = TSmiliesBuildFailure::WidthKeyMissing,
    .NotInteger = TSmiliesBuildFailure::WidthNotInteger,
};

constexpr TPanelSizeLine HeightLine{
    .Key = u"height=",
    .Min = MinPanelHeight,
    .Max = MaxPanelHeight,
    .What = "height",
    .Position = "the line after the width line",
    .MissingReason = "no height line after the width line",
    .LineMissing = TSmiliesBuildFailure::HeightLineMissing,
    .KeyMissing = TSmiliesBuildFailure::HeightKeyMissing,
    .NotInteger = TSmiliesBuildFailure::HeightNotInteger,
};

// The working state of one build; it lives only as long as the build.
class TPackageBuild {
 public:
  explicit TPackageBuild(TSmiliesBuildReport& report) : report_(report) {}

  bool Run() {
    SmiliesPackage = RawByteString();  // nothing of an earlier build survives, not even its memory
    if (!ReadList()) return false;
    if (!TakePanelSize(WidthLine, width_)) return false;
    if (!TakePanelSize(HeightLine, height_)) return false;
    SmiliesPackage.resize(PackageCapacityStep);  // zero bytes, so a failed build leaves a zero tail
    for (std::size_t j = 0; next_ < lines_.size(); ++j, ++next_) {
      if (!PackLine(lines_[next_], j)) return false;
    }
    FinishPackage();
    return true;
  }

  void FillReport() {
    report_.PanelWidth = width_;
    report_.PanelHeight = height_;
    report_.GroupCount = static_cast<int>(groups_.size());
    report_.SmileyCount = records_;
    report_.PackageBytes = SmiliesPackage.size();
  }

  bool Fail(TSmiliesBuildFailure failure, const TListLine* line, std::string reason) {
    report_.Failure = failure;
    report_.LineNo = line ? line->LineNo : 0;
    report_.Reason = std::move(reason);
    return false;
  }

 private:
  bool ReadList() {
    std::vector<UnicodeString> raw;
    if (!ReadTextFileLines(SmiliesListFileName, raw)) {
      std::error_code error;
      const bool missing = !std::filesystem::exists(SmiliesListFileName, error);
      return Fail(TSmiliesBuildFailure::ListUnreadable, nullptr,
                  missing ? "the list file is missing" : "the list file cannot be read");
    }
    lines_ = CleanListLines(raw);
    return true;
  }

  // The width or the height line: "key=" anywhere in it (any letter case), the
  // value after the first "=", clamped to the line's range.
  bool TakePanelSize(const TPanelSizeLine& kind, int& value) {
    if (next_ >= lines_.size()) return Fail(kind.LineMissing, nullptr, kind.MissingReason);
    const TListLine& line = lines_[next_];
    if (LowerCase(line.Text).find(kind.Key) == UnicodeString::npos) {
      return Fail(
          kind.KeyMissing, &line,
          std::string(kind.Position) + " must contain " + Quoted(kind.Key) + " but reads " + Quoted(line.Written));
    }
    // Lowering changes no digit, so the value is read from the line as written.
    const std::u16string_view number = std::u16string_view(line.Text).substr(line.Text.find(u'=') + 1);
    if (!TryStrToInt(number, value)) {
      return Fail(kind.NotInteger, &line,
                  number.empty() ? std::string(kind.What) + " value is missing after \"=\""
                                 : std::string(kind.What) + " value " + Quoted(number) + " is not an integer");
    }
    value = std::clamp(value, kind.Min, kind.Max);
    ++next_;
    return true;
  }

  bool PackLine(const TListLine& line, std::size_t j) {
    const bool isGroup = IsGroupLine(line.Text);
    // A list whose first smiley comes before any group line puts it in group "0".
    if (j == 0 && !isGroup) groups_.push_back(u"0");
    return isGroup ? PackGroupLine(line) : PackSmileyLine(line);
  }

  bool PackGroupLine(const TListLine& line) {
    if (groups_.size() >= MaxGroupCount) {
      report_.Warnings.push_back({line.LineNo, "group line " + Quoted(TrimSpaces(line.Written)) +
                                                   " ignored: a list holds at most 10 groups; the smilies below it "
                                                   "join group " +
                                                   Quoted(groups_.back())});
      return true;
    }
    UnicodeString name = GroupLineName(line.Text);
    if (name.size() > MaxGroupNameLength) {
      // Quote the name as written; its length is counted without the spaces.
      const std::u16string_view written = TrimSpaces(line.Written);
      const std::u16string_view writtenName = written.substr(1, written.size() - 2);
      return Fail(TSmiliesBuildFailure::GroupNameTooLong, &line,
                  "group name " + Quoted(writtenName) + " has " + std::to_string(name.size()) + " characters" +
                      (writtenName != name ? " without its spaces" : "") + ", at most 16 are allowed");
    }
    groups_.push_back(std::move(name));
    return true;
  }

  bool PackSmileyLine(const TListLine& line) {
    if (smileyCount_ >= MaxSmileyCount) {
      NoteIgnoredSmileyLine(line);
      return true;
    }
    ++smileyCount_;
    const TSmileyLineParts parts = SplitSmileyLine(line.Text);
    if (!ReadPicture(line, parts)) return false;
    const int groupIndex = static_cast<int>(groups_.size()) - 1;
    if (parts.Code.size() > MaxCodeLength) {
      return Fail(TSmiliesBuildFailure::CodeTooLong, &line,
                  "code " + Quoted(parts.Code) + " has " + std::to_string(parts.Code.size()) +
                      " characters, at most 32 are allowed");
    }
    const int kind = PictureKindOf(parts.FileName);
    if (kind < 0) {
      return Fail(TSmiliesBuildFailure::PictureKindUnknown, &line,
                  PictureName(line, parts) + " does not end in \"gif\" or \"jpg\"");
    }
    const RawByteString head =
        EncodeShortBytes(EncodeByte(groupIndex) + EncodeShortText(parts.Code) + EncodeByte(kind) +
                         EncodeInt32(static_cast<std::int32_t>(picture_.size())));
    return PutRecord(line, parts, head);
  }

  // Reads the picture into the one reused buffer. A picture over the limit is
  // not read at all: its size alone fails the build.
  bool ReadPicture(const TListLine& line, const TSmileyLineParts& parts) {
    if (!parts.HasBar) {
      return Fail(TSmiliesBuildFailure::SmileyLineWithoutBar, &line,
                  "smiley line " + Quoted(line.Written) + " has no \"|\" between picture file name and code");
    }
    if (parts.FileName.empty()) {
      return Fail(TSmiliesBuildFailure::PictureUnreadable, &line,
                  "smiley line " + Quoted(line.Written) + " names no picture file before the \"|\"");
    }
    const std::string path = Utf16ToUtf8(parts.FileName);
    std::size_t size = 0;
    switch (ReadWholeFile(path, picture_, MaxPictureSize, &size)) {
      case ReadFileResult::Ok:
        return true;
      case ReadFileResult::TooLarge:
        return Fail(TSmiliesBuildFailure::PictureTooLarge, &line,
                    PictureName(line, parts) + " is larger than 500000 bytes (" + std::to_string(size) + " bytes)");
      case ReadFileResult::CannotOpen:
      case ReadFileResult::ReadError:
        break;
    }
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    const char* why = !std::filesystem::exists(status)        ? " not found"
                      : std::filesystem::is_directory(status) ? " is a directory"
                                                              : " cannot be read";
    return Fail(TSmiliesBuildFailure::PictureUnreadable, &line, PictureName(line, parts) + why);
  }

  bool PutRecord(const TListLine& line, const TSmileyLineParts& parts, const RawByteString& head) {
    const std::size_t end = used_ + head.size() + picture_.size();
    if (end > MaxRecordsSize) {
      return Fail(TSmiliesBuildFailure::PackageTooLarge, &line,
                  "the smilies would take more than 10485760 bytes in all with " + PictureName(line, parts));
    }
    // Grow only when the record does not fit, and then with room to spare, so
    // a package of many pictures is enlarged a few times, not per record.
    if (end > SmiliesPackage.size()) SmiliesPackage.resize(end + PackageCapacityStep);
    auto out = std::copy(head.begin(), head.end(), SmiliesPackage.begin() + static_cast<std::ptrdiff_t>(used_));
    std::copy(picture_.begin(), picture_.end(), out);
    used_ = end;
    ++records_;
    return true;
  }

  // Cuts the package to its records and puts the header in front, in one copy
  // into a string of the exact size (which also releases the working capacity).
  void FinishPackage() {
    SmiliesPackage.resize(used_);
    RawByteString header = EncodeWord(width_) + EncodeWord(height_) + EncodeByte(static_cast<int>(groups_.size()));
    for (const UnicodeString& name : groups_) header += EncodeShortText(name);
    header += EncodeWord(smileyCount_);
    RawByteString package;
    package.reserve(2 + header.size() + SmiliesPackage.size());
    package += EncodeWord(static_cast<std::int32_t>(header.size()));
    package += header;
    package += SmiliesPackage;
    SmiliesPackage = std::move(package);
  }

  // The picture file as the user wrote it and, when removing spaces changed
  // it, the name that was looked for.
  static std::string PictureName(const TListLine& line, const TSmileyLineParts& parts) {
    const std::u16string_view writtenLine = line.Written;
    const std::u16string_view written = TrimSpaces(writtenLine.substr(0, writtenLine.find(u'|')));
    std::string name = "picture file " + Quoted(written);
    if (written != parts.FileName) name += " (read as " + Quoted(parts.FileName) + ")";
    return name;
  }

  // Smiley lines past the limit are summed up in one warning at the first of them.
  void NoteIgnoredSmileyLine(const TListLine& line) {
    if (ignoredSmileyLines_ == 0) {
      ignoredWarning_ = report_.Warnings.size();
      report_.Warnings.push_back({line.LineNo, ""});
    }
    ++ignoredSmileyLines_;
    report_.Warnings[ignoredWarning_].Text =
        ignoredSmileyLines_ == 1 ? "smiley line ignored: a list holds at most 999 smilies"
                                 : std::to_string(ignoredSmileyLines_) + " smiley lines ignored, from here to line " +
                                       std::to_string(line.LineNo) + ": a list holds at most 999 smilies";
  }

  TSmiliesBuildReport& report_;
  std::vector<TListLine> lines_;
  std::size_t next_ = 0;  // the first line not yet taken
  int width_ = 0;
  int height_ = 0;
  std::vector<UnicodeString> groups_;
  int smileyCount_ = 0;
  int records_ = 0;
  std::size_t used_ = 0;
  RawByteString picture_;
  int ignoredSmileyLines_ = 0;
  std::size_t ignoredWarning_ = 0;
};

}  // namespace

bool BuildSmiliesPackage() { return BuildSmiliesPackage(nullptr); }

bool BuildSmiliesPackage(TSmiliesBuildReport* report) {
  TSmiliesBuildReport local;
  TSmiliesBuildReport& out = report ? *report : local;
  out = TSmiliesBuildReport{};
  TPackageBuild build(out);
  bool ok = false;
  try {
    ok = build.Run();
  } catch (const std::exception& e) {
    // Nothing may escape the smilies subsystem; running out of memory for a
    // large package is the one failure expected to land here.
    ok = build.Fail(TSmiliesBuildFailure::Unexpected, nullptr, std::string("the build failed: ") + e.what());
  }
  build.FillReport();
  return ok;
}

}  // namespace quorix
