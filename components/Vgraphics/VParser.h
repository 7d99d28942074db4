#pragma once
// VParser: the plotter's expression engine. It runs the evaluator's text
// pipeline on a working copy (CleanExpression), so Expression keeps the
// plotter's text; a power without a real value fails with the layer's math
// error. Its tree is the unit's own root (Vgraphics::RootTree), shared by
// all engines and separate from the evaluator component's.
#include "components/Vparser/ExpressionPipeline.h"

class VParser : public ExpressionPipeline {
public:
    VParser();

    AnsiString CleanExpression;
    AnsiString Expression;

    bool CreateTree() {
        CleanExpression = Expression;
        return BuildTree(CleanExpression);
    }
};

namespace Vgraphics {
extern ExpressionRoot RootTree;
}
