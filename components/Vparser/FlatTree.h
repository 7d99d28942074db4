#pragma once
// A built tree laid out as steps for an accumulator, for evaluating the
// same tree many times (the plotter samples it at every column): a walk
// over an array instead of over nodes and their texts. Leaf operands are
// folded into their operator's step, so that few values pass through
// memory.
//
// Leaves name places in one table of values: the first five hold the
// variables x, a, b, c, d, read at each evaluation; the others hold the
// converted numbers and constants. Values and errors arise in the tree
// walk's own order (right operand, left operand, operator); only a number,
// which cannot fail, is taken out of that order.
#include <cstdint>
#include <vector>

#include "components/Vparser/ParseTree.h"

struct FlatStep {
    enum Op : unsigned char {
        kLoad,         // acc := leaf; a value held before goes onto the stack when `spill`
        kLeaves,       // acc := leaf `code` right, both leaves; spills as kLoad
        kFunction,     // acc := function `code` of acc
        kLeftLeaf,     // acc := leaf `code` acc (the right operand was acc)
        kLeftLeaves,   // acc := (leaf `inner` right) `code` acc: the left operand is
                       // a pair of leaves, worked out after the right one as in the walk
        kRightNumber,  // acc := acc `code` leaf, a number (the left operand was acc)
        kOperator,     // acc := acc `code` the value taken off the stack
    };
    Op op;
    char code;  // the operator character, or the function letter (0 for none)
    char inner = 0;  // kLeftLeaves: the left operand's own operator
    bool spill = false;
    std::uint32_t leaf = 0;   // place in the value table
    std::uint32_t right = 0;  // kLeaves: the right operand, read before `leaf`
};

struct FlatTree {
    static constexpr std::uint32_t kVariables = 5;

    // `sources` points into `values`: a copy of a parser makes its own
    // steps anew at its first evaluation.
    FlatTree() = default;
    FlatTree(const FlatTree&) {}
    FlatTree& operator=(const FlatTree& other) {
        if (this != &other) *this = FlatTree();
        return *this;
    }
    FlatTree& operator=(FlatTree&&) = default;

    // What the steps were made from: a tree that is replaced, or decimal
    // settings that change, make them out of date.
    const Tree* node = nullptr;
    unsigned generation = 0;
    unsigned dotVersion = 0;
    bool colons = false;

    bool usable = false;  // false: evaluate by walking the tree
    std::vector<FlatStep> steps;
    std::vector<long double> values;  // the variables, then the numbers
    // Where each value is read from: its place in `values`, or for x the
    // number of the sample just formatted, where it already is.
    std::vector<const long double*> sources;
    unsigned usedVariables = 0;       // bit i: variable i appears
    std::vector<long double> stack;   // as deep as the steps need

    bool Fits(const ExpressionRoot& root, unsigned dot, bool colonsNow) const {
        return node == root.Node.get() && generation == root.Generation && dotVersion == dot &&
               colons == colonsNow;
    }
};
