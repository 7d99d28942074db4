#pragma once
// Lengths and beginnings of UTF-8 texts counted as the edit counts its
// characters (UTF-16 code units), so that they fit its selection.
#include "platform/core/System.h"

namespace Vedit {
int EditLength(const AnsiString& text);
// The longest beginning of `text` that is at most `count` characters long.
AnsiString EditPrefix(const AnsiString& text, int count);
}  // namespace Vedit
