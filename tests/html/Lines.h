#pragma once
// The lines of a string list, for comparing with an expected table.
#include <vector>

#include "platform/core/Classes.h"

using Lines = std::vector<AnsiString>;

inline Lines LinesOf(const TStrings& list) {
    Lines lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
    return lines;
}
