// Where the items of a radio or check group go: in columns, filled from the top down, below the group's
// caption line. Pure geometry; the groups place their item controls where this answers.
#pragma once

#include <vector>

#include "platform/types.h"

// count items in columns (less than 1 counts as 1) inside a group of width x height whose caption font is
// textHeight tall; each item gets an equal share of the width (less a margin) and of the height below the
// caption, the spare rows split above and below. Right to left, the first column is the rightmost.
std::vector<TRect> ArrangeGroupItems(int count, int columns, int width, int height, int textHeight,
                                     bool rightToLeft);
