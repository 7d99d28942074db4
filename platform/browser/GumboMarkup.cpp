// innerHTML: the children of an element written back as markup in one
// normal form, whatever form the page's author used.
#include <cctype>

#include "platform/browser/GumboSerialise.h"
#include "platform/browser/GumboTree.h"

namespace GumboTree {

std::string_view TagName(const GumboNode* element) {
    const GumboElement& e = element->v.element;
    if (e.tag != GUMBO_TAG_UNKNOWN) return gumbo_normalized_tagname(e.tag);
    GumboStringPiece piece = e.original_tag;
    gumbo_tag_from_original_text(&piece);
    return {piece.data, piece.length};
}

namespace {

bool IsVoid(GumboTag tag) {
    switch (tag) {
    case GUMBO_TAG_AREA: case GUMBO_TAG_BASE: case GUMBO_TAG_BASEFONT:
    case GUMBO_TAG_BGSOUND: case GUMBO_TAG_BR: case GUMBO_TAG_COL:
    case GUMBO_TAG_EMBED: case GUMBO_TAG_FRAME: case GUMBO_TAG_HR:
    case GUMBO_TAG_IMG: case GUMBO_TAG_INPUT: case GUMBO_TAG_KEYGEN:
    case GUMBO_TAG_LINK: case GUMBO_TAG_META: case GUMBO_TAG_PARAM:
    case GUMBO_TAG_SOURCE: case GUMBO_TAG_TRACK: case GUMBO_TAG_WBR:
        return true;
    default:
        return false;
    }
}

// Elements whose text the parser took literally; it is written back as is.
bool HoldsRawText(GumboTag tag) {
    switch (tag) {
    case GUMBO_TAG_STYLE: case GUMBO_TAG_SCRIPT: case GUMBO_TAG_XMP:
    case GUMBO_TAG_IFRAME: case GUMBO_TAG_NOEMBED: case GUMBO_TAG_NOFRAMES:
    case GUMBO_TAG_PLAINTEXT: case GUMBO_TAG_NOSCRIPT:
        return true;
    default:
        return false;
    }
}

constexpr std::string_view kNbsp = "\xC2\xA0";

// Escapes &, the no-break space and, for text, < and > or, for attribute
// values, the double quote.
void AppendEscaped(std::string& out, std::string_view text, bool attribute) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '&') out += "&amp;";
        else if (c == '<' && !attribute) out += "&lt;";
        else if (c == '>' && !attribute) out += "&gt;";
        else if (c == '"' && attribute) out += "&quot;";
        else if (text.substr(i, 2) == kNbsp) { out += "&nbsp;"; ++i; }
        else out += c;
    }
}

void AppendUpper(std::string& out, std::string_view name) {
    for (char c : name) out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

std::string_view AttributePrefix(const GumboAttribute& a) {
    switch (a.attr_namespace) {
    case GUMBO_ATTR_NAMESPACE_XLINK: return "xlink:";
    case GUMBO_ATTR_NAMESPACE_XML: return "xml:";
    case GUMBO_ATTR_NAMESPACE_XMLNS: return std::string_view(a.name) == "xmlns" ? "" : "xmlns:";
    default: return "";
    }
}

class MarkupWriter {
public:
    explicit MarkupWriter(std::string& out) : out_(out) {}

    bool Enter(const GumboNode* node) {
        switch (node->type) {
        case GUMBO_NODE_ELEMENT:
        case GUMBO_NODE_TEMPLATE:
            OpenTag(node);
            return !IsVoid(node->v.element.tag);
        case GUMBO_NODE_TEXT:
        case GUMBO_NODE_WHITESPACE:
            if (InRawTextElement(node)) out_ += node->v.text.text;
            else AppendEscaped(out_, node->v.text.text, false);
            return false;
        case GUMBO_NODE_CDATA:
            out_ += "<![CDATA[";
            out_ += node->v.text.text;
            out_ += "]]>";
            return false;
        case GUMBO_NODE_COMMENT:
            out_ += "<!--";
            out_ += node->v.text.text;
            out_ += "-->";
            return false;
        default:
            return false;
        }
    }

    void Leave(const GumboNode* node) {
        out_ += "</";
        AppendUpper(out_, TagName(node));
        out_ += '>';
    }

private:
    void OpenTag(const GumboNode* node) {
        const GumboElement& e = node->v.element;
        out_ += '<';
        AppendUpper(out_, TagName(node));
        for (unsigned int i = 0; i < e.attributes.length; ++i) {
            const auto* a = static_cast<const GumboAttribute*>(e.attributes.data[i]);
            out_ += ' ';
            out_ += AttributePrefix(*a);
            out_ += a->name;
            out_ += "=\"";
            AppendEscaped(out_, a->value, true);
            out_ += '"';
        }
        out_ += '>';
    }

    static bool InRawTextElement(const GumboNode* text) {
        const GumboNode* parent = text->parent;
        return parent && IsElement(parent) && HoldsRawText(parent->v.element.tag);
    }

    std::string& out_;
};

}  // namespace

std::string InnerHtml(const GumboNode* element) {
    std::string out;
    MarkupWriter writer(out);
    WalkChildren(element, writer);
    return out;
}

}  // namespace GumboTree
