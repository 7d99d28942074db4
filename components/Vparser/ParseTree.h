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

    // What evaluation learnt about this node, kept so that a leaf's number
    // is converted once and not at every evaluation. Valid while Value
    // equals `cachedFor` and the decimal settings are the same.
    struct Cache {
        AnsiString cachedFor;
        bool classified = false;
        int kind = 0;
        bool numberValid = false;
        AnsiString numberFor;  // the text that was converted
        AnsiString numberDot;
        bool numberColons = false;
        long double number = 0;
    };
    mutable Cache cache;
};

// The tree a unit's parsers evaluate. `Complete` is false after a
// CreateTree whose tree could not be built: such a tree may hold operator
// nodes without operands and is never walked.
struct ExpressionRoot {
    ExpressionRoot() : Node(std::make_unique<Tree>()) {}
    std::unique_ptr<Tree> Node;
    bool Complete = true;
};
