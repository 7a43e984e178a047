#pragma once
// The platform's text formatting routine: a format string with %-directives
// filled from a list of arguments, as AddFmt-style callers use it.

#include <span>
#include <string>
#include <variant>

#include "platform/errors.h"
#include "platform/text.h"

namespace quorix {

using TFormatArg = std::variant<long long, double, UnicodeString>;

// Directives: %[index:][-][width][.precision]type with type d, u, x, X, e, f,
// g, n, s, and %% for a percent sign. %s takes text, d u x X integers, e f g
// n numbers (an integer serves too). A missing argument, or one of the wrong
// kind, raises Exception "Format 'fmt' invalid or incompatible with argument".
UnicodeString FormatText(const UnicodeString& Fmt, std::span<const TFormatArg> Args);

}  // namespace quorix
