#pragma once
// Platform-internal: the texts the document interface hands out, computed
// from a gumbo parse tree. The forms of these texts are described in
// HtmlDocument.h.
#include <gumbo.h>

#include <string>

namespace GumboTree {

// Markup of the element's children (innerHTML).
std::string InnerHtml(const GumboNode* element);
// Rendered text of the element's children (innerText).
std::string InnerText(const GumboNode* element);
// Text of the document's first title element, white space stripped and
// collapsed; empty without one.
std::string Title(const GumboNode* document);

}  // namespace GumboTree
