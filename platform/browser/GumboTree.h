#pragma once
// Platform-internal helpers over a gumbo parse tree, shared by the
// document's serialisers. Not for components/ or app/.
#include <gumbo.h>

#include <string>
#include <string_view>
#include <vector>

namespace GumboTree {

inline const GumboVector& Children(const GumboNode* node) {
    // Documents, elements and templates carry children; text-like nodes do not.
    static const GumboVector none = {nullptr, 0, 0};
    switch (node->type) {
    case GUMBO_NODE_DOCUMENT: return node->v.document.children;
    case GUMBO_NODE_ELEMENT:
    case GUMBO_NODE_TEMPLATE: return node->v.element.children;
    default: return none;
    }
}

inline bool IsElement(const GumboNode* node) {
    return node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE;
}

inline bool HasTag(const GumboNode* node, GumboTag tag) {
    return IsElement(node) && node->v.element.tag == tag;
}

// The element's name as the parser knows it (lower case for HTML elements),
// also for elements gumbo has no tag number for.
std::string_view TagName(const GumboNode* element);

// Walks the children of root in document order without recursion, so deeply
// nested documents cannot exhaust the stack. Visitor has
//   bool Enter(const GumboNode*)  -- false skips the node's children (and its Leave)
//   void Leave(const GumboNode*)
template <class Visitor>
void WalkChildren(const GumboNode* root, Visitor& visitor) {
    struct Frame {
        const GumboNode* node;
        unsigned int next;
    };
    std::vector<Frame> stack{{root, 0}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        const GumboVector& kids = Children(top.node);
        if (top.next == kids.length) {
            const GumboNode* done = top.node;
            stack.pop_back();
            if (!stack.empty()) visitor.Leave(done);
            continue;
        }
        const auto* child = static_cast<const GumboNode*>(kids.data[top.next++]);
        if (visitor.Enter(child)) stack.push_back({child, 0});
    }
}

}  // namespace GumboTree
