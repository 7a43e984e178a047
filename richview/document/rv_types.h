#pragma once
// The vocabulary of the rich-view document: item options and states, item
// properties, draw states of items, palette and item actions, document states,
// flags and the control's options.

#include "platform/sets.h"

namespace quorix {

// Item options (stored in one byte; bit n is the option of ordinal n).
enum TRVItemOption { rvioSameAsPrev, rvioPageBreakBefore, rvioBR, rvioUnicode, rvioGroupWithNext };
using TRVItemOptions = TSet<TRVItemOption, 8>;

enum TRVItemState { rvisSpellChecked };
using TRVItemStates = TSet<TRVItemState, 8>;

// Vertical placement of an inline item in its line.
enum TRVVAlign { rvvaBaseline, rvvaMiddle, rvvaAbsTop, rvvaAbsBottom, rvvaAbsMiddle };

enum TRVItemBoolProperty {
  rvbpFullWidth,
  rvbpValid,
  rvbpRequiresRVFLines,
  rvbpDrawingChangesFont,
  rvbpCanSaveUnicode,
  rvbpAlwaysInText,
  rvbpImmediateControlOwner,
  rvbpResizable,
  rvbpResizeHandlesOutside,
  rvbpHasSubRVData,
  rvbpClickSelect,
  rvbpNoHTML_P,
  rvbpSwitchToAssStyleNo,
};

enum TRVItemBoolPropertyEx {
  rvbpDisplayActiveState,
  rvbpPrintToBMP,
  rvbpJump,
  rvbpAllowsFocus,
  rvbpHotColdJump,
  rvbpXORFocus,
  rvbpActualPrintSize,
};

// The state a non-text item is painted in.
enum TRVItemDrawState {
  rvidsSelected,
  rvidsCurrent,
  rvidsHover,
  rvidsPrinting,
  rvidsPreview,
  rvidsPreviewCorrection,
  rvidsControlFocused,
  rvidsCanUseCustomPPI,
  rvidsRTL,
  rvidsShowSpecialCharacters,
  rvidsDrawInplaceOnMainCanvas,
  rvidsPrintSimulation,
};
using TRVItemDrawStates = TSet<TRVItemDrawState, 16>;

enum TRVExtraItemProperty {
  rvepUnknown,
  rvepVShift,
  rvepVShiftAbs,
  rvepImageWidth,
  rvepImageHeight,
  rvepTransparent,
  rvepTransparentMode,
  rvepTransparentColor,
  rvepMinHeightOnPage,
  rvepSpacing,
  rvepResizable,
  rvepDeleteProtect,
  rvepNoHTMLImageSize,
  rvepAnimationInterval,
  rvepVisible,
};

enum TRVExtraItemStrProperty { rvespUnknown, rvespHint, rvespAlt, rvespImageFileName };

// What a document does about palettes when items arrive.
enum TRVPaletteAction { rvpaDoNothing, rvpaAssignPalette, rvpaCreateCopies, rvpaCreateCopiesEx };

enum TRVItemAction { rviaInserting, rviaInserted, rviaTextModifying, rviaDestroying, rviaMovingToUndoList };

enum TRVControlAction {
  rvcaAfterRVFLoad,
  rvcaDestroy,
  rvcaMoveToUndoList,
  rvcaMoveFromUndoList,
  rvcaDestroyInUndoList,
  rvcaBeforeRVFSave,
  rvcaAfterRVFSave,
};

enum TRVBreakStyle { rvbsLine, rvbsRectangle, rvbs3d, rvbsDotted, rvbsDashed };

// Transient states of a document.
enum TRVState {
  rvstMakingSelection,
  rvstLineSelection,
  rvstDrawHover,
  rvstSkipFormatting,
  rvstFormattingPart,
  rvstIgnoreNextMouseDown,
  rvstChangingBkPalette,
  rvstCompletelySelected,
  rvstClearing,
  rvstDoNotMoveChildren,
  rvstForceStyleChangeEvent,
  rvstIgnoreNextChar,
  rvstDoNotTab,
  rvstDeselecting,
  rvstUnAssigningChosen,
  rvstNoScroll,
  rvstFinalizingUndo,
  rvstRTFSkipPar,
  rvstLoadingAsPartOfItem,
  rvstNoKillFocusEvents,
  rvstEditorUnformatted,
  rvstNameSet,
  rvstFirstParaAborted,
  rvstLastParaAborted,
  rvstInvalidSelection,
  rvstDoNotClearCurTag,
  rvstStartingDragDrop,
  rvstCanDragDropDeleteSelection,
  rvstKeyPress,
  rvstDoNotSaveContent,
  rvstPreserveSoftPageBreaks,
  rvstNoDBExitUpdate,
  rvstSavingPage,
  rvstCreatingInplace,
};
using TRVStates = TSet<TRVState, 64>;

// Flags a document's control answers.
enum TRVFlag {
  rvflUseJumps,
  rvflTrim,
  rvflShareContents,
  rvflUseExternalLeading,
  rvflMouseXYAlwaysCorrect,
  rvflAllowCustomDrawItems,
  rvflPrinting,
  rvflRootEditor,
  rvflRoot,
  rvflDBRichViewEdit,
  rvflCanUseCustomPPI,
  rvflCanProcessGetText,
};
using TRVFlags = TSet<TRVFlag, 16>;

// The control's behaviour switches.
enum TRVOption {
  rvoAllowSelection,
  rvoSingleClick,
  rvoScrollToEnd,
  rvoClientTextWidth,
  rvoShowCheckpoints,
  rvoShowPageBreaks,
  rvoShowSpecialCharacters,
  rvoTagsArePChars,
  rvoAutoCopyText,
  rvoAutoCopyUnicodeText,
  rvoAutoCopyRVF,
  rvoAutoCopyImage,
  rvoAutoCopyRTF,
  rvoFormatInvalidate,
  rvoDblClickSelectsWord,
  rvoRClickDeselects,
  rvoDisallowDrag,
  rvoShowItemHints,
  rvoFastFormatting,
};
using TRVOptions = TSet<TRVOption, 32>;

}  // namespace quorix
