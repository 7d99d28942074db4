#include "components/Vgraphics/VParser.h"

ExpressionRoot Vgraphics::RootTree;

VParser::VParser() : ExpressionPipeline(Options{&Vgraphics::RootTree, /*ownPowerMessage=*/false}) {}
