#pragma once
// The document interface of the browser control: a parsed HTML document
// with its title and its body element.
//
// Parsing follows the HTML5 rules, so every page gives a document with a
// body (or, for a frameset page, the frameset in its place). Texts are
// UTF-8, which is the system code page of the component layer.
//
// innerHTML writes the element's children back in one normal form, so that
// markup found in it does not depend on how the page's author wrote it:
//   - element names in upper case: <a> and <A> both read <A ...>;
//   - attributes in source order, names as the parser gives them (lower
//     case for HTML), each value in double quotes: <a HREF=x.htm> reads
//     <A href="x.htm">, <input disabled> reads <INPUT disabled="">;
//   - void elements (BR, IMG, INPUT, HR, META, ...) without a closing tag,
//     every other element with one, also where the source left it out;
//   - text with &, < and > escaped as &amp; &lt; &gt;, attribute values
//     with & and " escaped as &amp; &quot;, the no-break space as &nbsp;
//     in both; other characters as UTF-8, entities of the source decoded;
//   - the text of SCRIPT, STYLE, XMP, IFRAME, NOEMBED, NOFRAMES, PLAINTEXT
//     and NOSCRIPT as written; comments as <!--...-->.
//
// innerText is the text a reader sees: runs of white space become one
// blank, blanks at line starts and ends vanish, BR ends a line, block
// elements (DIV, LI, H1, TABLE rows, ...) start and end a line and a
// paragraph P leaves an empty line before and after it; breaks at the very
// start and end are dropped. PRE, TEXTAREA, LISTING, XMP and PLAINTEXT keep
// their white space. Cells of a row are separated by a tab. SCRIPT, STYLE,
// NOSCRIPT, TEMPLATE, IFRAME, head content and elements with the hidden
// attribute are left out.
//
// title is the text of the first TITLE element, white space stripped at
// both ends and collapsed inside; empty without one.
#include <memory>
#include <string_view>

#include "platform/core/System.h"

struct GumboInternalNode;

class IHTMLElement {
public:
    AnsiString innerText() const;
    AnsiString innerHTML() const;

private:
    friend class IHTMLDocument2;
    explicit IHTMLElement(const GumboInternalNode* node) : node_(node) {}
    const GumboInternalNode* node_;
};

class IHTMLDocument2 {
public:
    // Parses UTF-8 markup; invalid sequences read as U+FFFD.
    static std::unique_ptr<IHTMLDocument2> Parse(std::string_view markup);
    ~IHTMLDocument2();
    IHTMLDocument2(const IHTMLDocument2&) = delete;
    IHTMLDocument2& operator=(const IHTMLDocument2&) = delete;

    AnsiString title() const;
    // The body element; valid as long as the document.
    const IHTMLElement* body() const { return body_ ? &*body_ : nullptr; }

private:
    struct Parsed;
    explicit IHTMLDocument2(std::unique_ptr<Parsed> parsed);
    std::unique_ptr<Parsed> parsed_;
    std::unique_ptr<IHTMLElement> body_;
};
