#include "components/Vparser/Vparser.h"

ExpressionRoot Vparser::RootTree;

TVParser::TVParser(TComponent* owner)
    : TComponent(owner), ExpressionPipeline(Options{&Vparser::RootTree, /*ownPowerMessage=*/true}) {}

void Vparser::Register() { RegisterComponents("Varnell", {"TVParser"}); }
