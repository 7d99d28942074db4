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

// The tree a unit's parsers evaluate. `Complete` is false after a
// CreateTree whose tree could not be built: such a tree may hold operator
// nodes without operands and is never walked.
struct ExpressionRoot {
    ExpressionRoot() : Node(std::make_unique<Tree>()) {}
    std::unique_ptr<Tree> Node;
    bool Complete = true;
};
