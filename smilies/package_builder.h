#pragma once
// The package builder: reads "Smilies_serv.txt" in the working directory and
// the pictures it names, and packs them into SmiliesPackage.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/text.h"

namespace quorix {

// The smilies package of the last build, shared with the package reader.
extern RawByteString SmiliesPackage;

// Limits of a list and of the package built from it.
constexpr int MinPanelWidth = 100;
constexpr int MaxPanelWidth = 500;
constexpr int MinPanelHeight = 100;
constexpr int MaxPanelHeight = 300;
constexpr int MaxGroupCount = 10;
constexpr std::size_t MaxGroupNameLength = 16;
constexpr int MaxSmileyCount = 999;
constexpr std::size_t MaxCodeLength = 32;
constexpr std::size_t MaxPictureSize = 500000;
constexpr std::size_t MaxRecordsSize = 10485760;
// The working capacity the package starts with and grows by.
constexpr std::size_t PackageCapacityStep = 1000000;

enum class TSmiliesBuildFailure {
  None,
  ListUnreadable,
  ListEmpty,
  WidthKeyMissing,
  WidthNotInteger,
  HeightLineMissing,
  HeightKeyMissing,
  HeightNotInteger,
  GroupNameTooLong,
  SmileyLineWithoutBar,
  PictureUnreadable,
  PictureTooLarge,
  CodeTooLong,
  PictureKindUnknown,
  PackageTooLarge,
  Unexpected,  // an exception inside the build, such as running out of memory
};

// Something the build skipped without failing.
struct TSmiliesBuildWarning {
  int LineNo = 0;    // 1-based line of the list file
  std::string Text;  // UTF-8, one line
};

// What a build did, on the side of its result.
struct TSmiliesBuildReport {
  TSmiliesBuildFailure Failure = TSmiliesBuildFailure::None;
  int LineNo = 0;      // 1-based line of the list file at fault; 0 when no line is
  std::string Reason;  // UTF-8, one line; empty on success
  int PanelWidth = 0;
  int PanelHeight = 0;
  int GroupCount = 0;
  int SmileyCount = 0;           // the records packed
  std::size_t PackageBytes = 0;  // the length of SmiliesPackage afterwards
  std::vector<TSmiliesBuildWarning> Warnings;
};

// Rewrites SmiliesPackage from the list. True when the whole list was packed.
// On a failure the package holds nothing when the failure came before the
// records started, otherwise the records packed so far at the start of the
// working capacity, followed by zero bytes.
bool BuildSmiliesPackage();
// The same build, telling the report (when given) what happened.
bool BuildSmiliesPackage(TSmiliesBuildReport* report);

}  // namespace quorix
