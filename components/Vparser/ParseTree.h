#pragma once
// Nodes of a parsed expression and the root that a unit's parsers share.
#include <memory>

#include "platform/core/System.h"

// One node of the text tree. An operator or function-marker node owns its
// two children; a leaf holds the text of a number, variable or constant.
struct Tree {
    AnsiString Value;
    std::unique_ptr<Tree> Right;  // right-hand operand; the argument for "#"
    std::unique_ptr<Tree> Left;   // left-hand operand; the function letter for "#"

    // A leaf's converted number, kept so that it is converted once and not
    // at every evaluation: valid while the converted text and the decimal
    // settings are the same.
    struct Cache {
        bool numberValid = false;
        AnsiString numberFor;  // the text that was converted
        unsigned numberDotVersion = 0;
        bool numberColons = false;
        long double number = 0;
    };
    mutable Cache cache;
};

// A node is an operator or the function marker only by its whole text;
// every other node is a leaf.
inline bool IsOperatorText(const AnsiString& value) {
    if (value.size() != 1) return false;
    switch (value[0]) {
        case '+': case '*': case '-': case '/': case 'm': case '^': case '#': return true;
        default: return false;
    }
}

// The function a "#" node applies, from its left node's text: the letter,
// or 0 (no function, the value 0) when the text is not a single character.
inline char FunctionLetter(const Tree& letterNode) {
    return letterNode.Value.size() == 1 ? letterNode.Value[0] : '\0';
}

// The tree a unit's parsers evaluate. `Complete` is false after a
// CreateTree whose tree could not be built: such a tree may hold operator
// nodes without operands and is never walked.
struct ExpressionRoot {
    ExpressionRoot() : Node(std::make_unique<Tree>()) {}
    std::unique_ptr<Tree> Node;
    bool Complete = true;
    // Counts the trees put here, so that a parser's flattened copy of an
    // earlier tree is known to be out of date.
    unsigned Generation = 0;
};
