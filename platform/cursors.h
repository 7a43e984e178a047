#pragma once
// Cursor identifiers and the application's cursor table. An identifier names
// a cursor the way controls and styles store it (crHandPoint, or a number an
// application registers, such as the rich view's jump cursor 101); the table
// maps each identifier to the shape the toolkit shows. The toolkit layer turns
// a shape into its own cursor.

namespace quorix {

using TCursor = int;

constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// The shapes a cursor can have.
enum TCursorKind {
  ckDefault,    // whatever the window shows by default (an arrow)
  ckNone,       // no cursor
  ckArrow,
  ckCross,
  ckIBeam,
  ckSizeNESW,
  ckSizeNS,
  ckSizeNWSE,
  ckSizeWE,
  ckUpArrow,
  ckHourGlass,
  ckDrag,
  ckNoDrop,
  ckHSplit,
  ckVSplit,
  ckMultiDrag,
  ckSQLWait,
  ckNo,
  ckAppStart,
  ckHelp,
  ckHandPoint,  // the system's hand
  ckSizeAll,
  ckFlipArrow,  // an arrow pointing up and to the right (line selection)
};

// Registers (or replaces) the shape of a cursor identifier.
void RegisterCursor(TCursor id, TCursorKind kind);
// The shape of an identifier; ckDefault for one that was never registered.
TCursorKind GetCursorKind(TCursor id);
// Whether the platform has a cursor of that shape of its own (it has them all).
bool HasSystemCursor(TCursorKind kind);

}  // namespace quorix
