#pragma once
// TVParser: the expression evaluator component. It turns a text expression
// in x, a, b, c, d (constants pi and e; sin, cos, tan, ln, lg, abs; + - * /
// mod ^) into a tree of text nodes and evaluates it in long double.
//
// Use: set Expression (and OverwriteDecimalSymbol, ConvertAllColonsAndDots,
// Precision), call CreateTree; when it returns true, set X..D and call
// Evaluate as often as needed. CreateTree rewrites Expression in place.
// All TVParser instances share one tree (Vparser::RootTree): the last
// CreateTree of any instance decides what every instance evaluates.
#include "components/Vparser/ExpressionPipeline.h"
#include "platform/core/Classes.h"

class TVParser : public TComponent, public ExpressionPipeline {
public:
    explicit TVParser(TComponent* owner);

    AnsiString Expression;

    bool CreateTree() { return BuildTree(Expression); }
    using ExpressionPipeline::IsLongDouble;
};

namespace Vparser {
// The tree every TVParser builds into and evaluates.
extern ExpressionRoot RootTree;
void Register();
}  // namespace Vparser
