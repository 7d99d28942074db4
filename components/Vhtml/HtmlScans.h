#pragma once
// The scans of the web document helper, over a markup text, so that they
// can run on exact markup without a browser.
//
// Each scan walks a position p from 0 while p is below the length of the
// markup, one pass per step; a pass first calls pass() (the helper serves
// the application's events there), then looks for its markers and collects
// characters, then advances p by one. Positions count from 1, a piece of
// the markup outside it is empty, and markers are compared exactly and
// case-sensitively. Found values are appended to target, which is never
// cleared. The last position of the markup is never examined.
#include <functional>
#include <string_view>

#include "platform/core/Classes.h"

namespace Vhtml {

using TScanPass = std::function<void()>;

// Targets of links: the text between <A href=" and the next double quote.
// True when the markup ended inside a link whose quote never came.
bool ScanLinks(std::string_view markup, TStrings& target, const TScanPass& pass = {});

// Sources of images: the text between src=" and the next double quote,
// where src=" follows an <IMG  tag marker. True when a source was begun.
bool ScanImages(std::string_view markup, TStrings& target, const TScanPass& pass = {});

// Values between a value marker and the next end marker after a start
// marker. True when a value was begun. An empty marker finds nothing (false,
// nothing appended): the scan could not advance over it.
bool ScanValues(std::string_view markup, std::string_view startMarker, std::string_view valueMarker,
                std::string_view endMarker, TStrings& target, const TScanPass& pass = {});

}  // namespace Vhtml
