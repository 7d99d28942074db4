// innerText and the title: the text a reader sees, with the layout reduced
// to line breaks and tabs.
#include <algorithm>

#include "platform/browser/GumboSerialise.h"
#include "platform/browser/GumboTree.h"

namespace GumboTree {

namespace {

bool IsAsciiSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Elements that are not rendered: their text is left out.
bool IsHidden(const GumboNode* node) {
    switch (node->v.element.tag) {
    case GUMBO_TAG_SCRIPT: case GUMBO_TAG_STYLE: case GUMBO_TAG_NOSCRIPT:
    case GUMBO_TAG_TEMPLATE: case GUMBO_TAG_HEAD: case GUMBO_TAG_TITLE:
    case GUMBO_TAG_META: case GUMBO_TAG_LINK: case GUMBO_TAG_BASE:
    case GUMBO_TAG_IFRAME: case GUMBO_TAG_NOEMBED: case GUMBO_TAG_NOFRAMES:
        return true;
    default:
        return gumbo_get_attribute(&node->v.element.attributes, "hidden") != nullptr;
    }
}

// Elements whose white space is shown as written.
bool KeepsWhiteSpace(GumboTag tag) {
    return tag == GUMBO_TAG_PRE || tag == GUMBO_TAG_TEXTAREA || tag == GUMBO_TAG_LISTING ||
           tag == GUMBO_TAG_PLAINTEXT || tag == GUMBO_TAG_XMP;
}

// Line breaks an element needs before and after its text: 2 for a paragraph,
// 1 for the other block elements, 0 for inline ones.
int BlockBreaks(GumboTag tag) {
    switch (tag) {
    case GUMBO_TAG_P:
        return 2;
    case GUMBO_TAG_ADDRESS: case GUMBO_TAG_ARTICLE: case GUMBO_TAG_ASIDE:
    case GUMBO_TAG_BLOCKQUOTE: case GUMBO_TAG_CENTER: case GUMBO_TAG_DD:
    case GUMBO_TAG_DETAILS: case GUMBO_TAG_DIR:
    case GUMBO_TAG_DIV: case GUMBO_TAG_DL: case GUMBO_TAG_DT:
    case GUMBO_TAG_FIELDSET: case GUMBO_TAG_FIGCAPTION: case GUMBO_TAG_FIGURE:
    case GUMBO_TAG_FOOTER: case GUMBO_TAG_FORM: case GUMBO_TAG_H1:
    case GUMBO_TAG_H2: case GUMBO_TAG_H3: case GUMBO_TAG_H4:
    case GUMBO_TAG_H5: case GUMBO_TAG_H6: case GUMBO_TAG_HEADER:
    case GUMBO_TAG_HGROUP: case GUMBO_TAG_HR: case GUMBO_TAG_LEGEND:
    case GUMBO_TAG_LI: case GUMBO_TAG_LISTING: case GUMBO_TAG_MAIN:
    case GUMBO_TAG_MENU: case GUMBO_TAG_NAV: case GUMBO_TAG_OL:
    case GUMBO_TAG_OPTGROUP: case GUMBO_TAG_OPTION: case GUMBO_TAG_PRE:
    case GUMBO_TAG_SECTION: case GUMBO_TAG_SUMMARY: case GUMBO_TAG_TABLE:
    case GUMBO_TAG_CAPTION: case GUMBO_TAG_TR: case GUMBO_TAG_UL:
    case GUMBO_TAG_PLAINTEXT: case GUMBO_TAG_XMP: case GUMBO_TAG_BODY:
    case GUMBO_TAG_FRAMESET:
        return 1;
    default:
        return 0;
    }
}

bool IsCell(const GumboNode* node) {
    return HasTag(node, GUMBO_TAG_TD) || HasTag(node, GUMBO_TAG_TH);
}

// A cell that another cell of its row follows ends with a tab.
bool HasFollowingCell(const GumboNode* cell) {
    const GumboVector& row = Children(cell->parent);
    for (unsigned int i = cell->index_within_parent + 1; i < row.length; ++i)
        if (IsCell(static_cast<const GumboNode*>(row.data[i]))) return true;
    return false;
}

// Collects rendered text. Runs of white space shrink to one blank, blanks
// at the start and end of lines and cells disappear, and the line breaks that block
// elements require merge with their neighbours (the larger count wins) and
// vanish at the start and the end of the text.
class TextWriter {
public:
    explicit TextWriter(std::string& out) : out_(out) {}

    bool Enter(const GumboNode* node) {
        if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE ||
            node->type == GUMBO_NODE_CDATA) {
            AddText(node->v.text.text);
            return false;
        }
        if (!IsElement(node) || IsHidden(node)) return false;
        const GumboTag tag = node->v.element.tag;
        if (tag == GUMBO_TAG_BR) {
            AddLineEnd('\n');
            return false;
        }
        RequireBreaks(BlockBreaks(tag));
        if (KeepsWhiteSpace(tag)) ++keepSpace_;
        return true;
    }

    void Leave(const GumboNode* node) {
        const GumboTag tag = node->v.element.tag;
        if (KeepsWhiteSpace(tag)) --keepSpace_;
        RequireBreaks(BlockBreaks(tag));
        if (IsCell(node) && HasFollowingCell(node)) AddLineEnd('\t');
    }

private:
    void AddText(std::string_view text) {
        for (char c : text) {
            if (keepSpace_ == 0 && IsAsciiSpace(c)) {
                if (!out_.empty() && out_.back() != '\n' && out_.back() != '\t') blank_ = true;
                continue;
            }
            FlushPending();
            out_ += c;
        }
    }

    // A forced break or a tab: it stays even at the start or the end, and a
    // blank before it belongs to the end of a line and goes.
    void AddLineEnd(char c) {
        blank_ = false;
        FlushPending();
        out_ += c;
    }

    void RequireBreaks(int n) {
        breaks_ = std::max(breaks_, n);
    }

    void FlushPending() {
        if (breaks_ > 0) {
            if (!out_.empty()) out_.append(static_cast<size_t>(breaks_), '\n');
            breaks_ = 0;
            blank_ = false;
        } else if (blank_) {
            out_ += ' ';
            blank_ = false;
        }
    }

    std::string& out_;
    int breaks_ = 0;
    bool blank_ = false;
    int keepSpace_ = 0;
};

// Finds the first title element in document order.
struct TitleFinder {
    const GumboNode* found = nullptr;
    bool Enter(const GumboNode* node) {
        if (found || !IsElement(node)) return false;
        if (node->v.element.tag == GUMBO_TAG_TITLE) {
            found = node;
            return false;
        }
        return true;
    }
    void Leave(const GumboNode*) {}
};

}  // namespace

std::string InnerText(const GumboNode* element) {
    std::string out;
    TextWriter writer(out);
    WalkChildren(element, writer);
    return out;
}

std::string Title(const GumboNode* document) {
    TitleFinder finder;
    WalkChildren(document, finder);
    if (!finder.found) return {};
    std::string title;
    bool blank = false;
    const GumboVector& kids = Children(finder.found);
    for (unsigned int i = 0; i < kids.length; ++i) {
        const auto* kid = static_cast<const GumboNode*>(kids.data[i]);
        if (kid->type != GUMBO_NODE_TEXT && kid->type != GUMBO_NODE_WHITESPACE) continue;
        for (char c : std::string_view(kid->v.text.text)) {
            if (IsAsciiSpace(c)) {
                blank = !title.empty();
                continue;
            }
            if (blank) title += ' ';
            blank = false;
            title += c;
        }
    }
    return title;
}

}  // namespace GumboTree
