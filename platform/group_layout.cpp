#include "platform/group_layout.h"

#include <algorithm>

std::vector<TRect> ArrangeGroupItems(int count, int columns, int width, int height, int textHeight,
                                     bool rightToLeft) {
    std::vector<TRect> items;
    if (count <= 0) return items;
    columns = std::clamp(columns, 1, count);
    const int perColumn = (count + columns - 1) / columns;
    const int itemWidth = std::max((width - 10) / columns, 0);
    const int below = std::max(height - textHeight - 5, 0);
    const int itemHeight = below / perColumn;
    const int top = textHeight + 1 + (below % perColumn) / 2;
    for (int i = 0; i < count; ++i) {
        int left = (i / perColumn) * itemWidth + 8;
        if (rightToLeft) left = width - left - itemWidth;
        const int y = (i % perColumn) * itemHeight + top;
        items.push_back({left, y, left + itemWidth, y + itemHeight});
    }
    return items;
}
