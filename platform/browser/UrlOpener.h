#pragma once
// Opens a URL (or a local path) with the desktop's default handler. The
// opener can be replaced, so that tests see the URL without starting a
// browser.
#include <functional>

#include "platform/core/System.h"

using TUrlOpener = std::function<void(const AnsiString& url)>;

// Hands the URL to the current opener; the outcome is not reported.
void OpenUrlExternally(const AnsiString& url);

// Installs an opener and returns the previous one; an empty opener puts
// the desktop's handler back.
TUrlOpener SetUrlOpener(TUrlOpener opener);
