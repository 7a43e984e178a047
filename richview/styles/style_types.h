#pragma once
// The vocabulary shared by text styles, paragraph styles and the style sheet:
// reading orders, extra font styles, draw states and colour modes.

#include "platform/sets.h"

namespace quorix {

enum TRVBiDiMode { rvbdUnspecified, rvbdLeftToRight, rvbdRightToLeft };

enum TRVFontStyleEx { rvfsOverline, rvfsAllCaps };
using TRVFontStylesEx = TSet<TRVFontStyleEx, 8>;

enum TRVHoverEffect { rvheUnderline };
using TRVHoverEffects = TSet<TRVHoverEffect, 8>;

enum TRVSubSuperScriptType { rvsssNormal, rvsssSubscript, rvsssSuperScript };

// Editing protection of text (the editor is not part of this library).
enum TRVProtectOption {
  rvprStyleProtect,
  rvprModifyProtect,
  rvprDeleteProtect,
  rvprConcateProtect,
  rvprRVFInsertProtect,
  rvprDoNotAutoSwitch,
  rvprParaStartProtect,
  rvprSticking,
  rvprStickToTop,
  rvprStickToBottom,
};
using TRVProtectOptions = TSet<TRVProtectOption, 16>;

// Text that is raw markup for export.
enum TRVTextOption { rvteoHTMLCode, rvteoRTFCode };
using TRVTextOptions = TSet<TRVTextOption, 8>;

enum TRVUnderlineType {
  rvutNormal,
  rvutThick,
  rvutDouble,
  rvutDotted,
  rvutThickDotted,
  rvutDashed,
  rvutThickDashed,
  rvutLongDashed,
  rvutThickLongDashed,
  rvutDashDotted,
  rvutThickDashDotted,
  rvutDashDotDotted,
  rvutThickDashDotDotted,
};

// The state a piece of text is drawn in.
enum TRVTextDrawState {
  rvtsSelected,
  rvtsHover,
  rvtsItemStart,
  rvtsItemEnd,
  rvtsDrawItemStart,
  rvtsDrawItemEnd,
  rvtsControlFocused,
  rvtsSpecialCharacters,
};
using TRVTextDrawStates = TSet<TRVTextDrawState, 8>;

// How colours are turned into output colours when printing.
enum TRVColorMode { rvcmColor, rvcmPrinterColor, rvcmGrayScale, rvcmBlackAndWhite, rvcmBlackOnWhite };

// The characters that are marked when special characters are shown.
enum TRVSpecialCharacter { rvscSpace, rvscNBSP, rvscParagraph, rvscSoftHyphen, rvscPlaceholders };
using TRVSpecialCharacters = TSet<TRVSpecialCharacter, 8>;

// Extra information for selecting a font: a script height that overrides the
// one the style computes for sub- and superscript.
struct TRVExtraFontInfo {
  int ScriptHeight = 0;
};

enum TRVAlignment { rvaLeft, rvaRight, rvaCenter, rvaJustify };

enum TRVLineSpacingType { rvlsPercent, rvlsSpaceBetween, rvlsLineHeightAtLeast, rvlsLineHeightExact };

enum TRVParaOption {
  rvpaoNoWrap,
  rvpaoReadOnly,
  rvpaoStyleProtect,
  rvpaoDoNotWantReturns,
  rvpaoKeepLinesTogether,
  rvpaoKeepWithNext,
  rvpaoWidowOrphanControl,
};
using TRVParaOptions = TSet<TRVParaOption, 8>;

enum TRVBorderStyle { rvbNone, rvbSingle, rvbDouble, rvbTriple, rvbThickInside, rvbThickOutside };

enum TRVTabAlign { rvtaLeft, rvtaRight, rvtaCenter };

}  // namespace quorix
