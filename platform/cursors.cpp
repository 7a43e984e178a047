#include "platform/cursors.h"

#include <map>

namespace quorix {

namespace {

std::map<TCursor, TCursorKind>& CursorTable() {
  // The standard identifiers are there from the start, as on any desktop.
  static std::map<TCursor, TCursorKind> table = {
      {crDefault, ckDefault},   {crNone, ckNone},         {crArrow, ckArrow},         {crCross, ckCross},
      {crIBeam, ckIBeam},       {crSizeNESW, ckSizeNESW}, {crSizeNS, ckSizeNS},       {crSizeNWSE, ckSizeNWSE},
      {crSizeWE, ckSizeWE},     {crUpArrow, ckUpArrow},   {crHourGlass, ckHourGlass}, {crDrag, ckDrag},
      {crNoDrop, ckNoDrop},     {crHSplit, ckHSplit},     {crVSplit, ckVSplit},       {crMultiDrag, ckMultiDrag},
      {crSQLWait, ckSQLWait},   {crNo, ckNo},             {crAppStart, ckAppStart},   {crHelp, ckHelp},
      {crHandPoint, ckHandPoint}, {crSizeAll, ckSizeAll},
  };
  return table;
}

}  // namespace

void RegisterCursor(TCursor id, TCursorKind kind) { CursorTable()[id] = kind; }

TCursorKind GetCursorKind(TCursor id) {
  const auto& table = CursorTable();
  auto it = table.find(id);
  return it == table.end() ? ckDefault : it->second;
}

bool HasSystemCursor(TCursorKind) { return true; }

}  // namespace quorix
