#include "skin/controls/check_box.h"
#include "platform/string_list.h"  // AsciiLower

#include <algorithm>
#include <cctype>

namespace {

bool Has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// Images with four looks per state: a normal cell (1, 5, 9) becomes its hot or pressed neighbour.
int WithMouse(int cell, bool hot, bool pressed) {
    if (cell != 1 && cell != 5 && cell != 9) return cell;
    return pressed ? cell + 2 : hot ? cell + 1 : cell;
}

int Wrap(int cell, int n) { return cell < 1 ? 1 : (cell - 1) % n + 1; }

// The basic scheme's 2, 3 and 4 on an image of four looks per state.
int Remap(int cell) {
    switch (cell) {
    case 2: return 5;
    case 3: return 4;
    case 4: return 8;
    default: return cell;
    }
}

}  // namespace

int CheckCell(const CheckLook& k, int frames) {
    const int n = CellCount(frames);
    int cell = k.checked ? 2 : 1;
    if (k.hasState) {
        const std::string state = AsciiLower(k.stateName);
        if (Has(state, "uncheck"))
            cell = 1;
        else if (Has(state, "check"))
            cell = 2;
        else if (Has(state, "gray"))
            cell = 4;
    } else if (k.hasChecked) {
        cell = AsciiLower(k.checkedName) == "true" ? 2 : 1;
    }
    if (k.hasDataField && k.dataState != 0) cell = k.dataState == 3 ? 4 : k.dataState;
    if (k.hasDataBinding) cell = 1;
    if (k.disabled) cell += 2;
    if (k.indeterminate) cell = 4;
    if (n == 12) {
        cell = k.indeterminate ? (k.disabled ? 12 : 9) : Remap(cell);
        if (!k.disabled) cell = WithMouse(cell, k.hot, k.pressed);
    }
    return Wrap(cell, n);
}

int RadioCell(const RadioLook& k, int frames) {
    const int n = CellCount(frames);
    int cell = k.checked ? 2 : 1;
    if (k.hasChecked) cell = AsciiLower(k.checkedName) == "true" ? 2 : 1;
    if (k.disabled) cell += 2;
    if (n == 8) {
        cell = Remap(cell);
        if (!k.disabled) cell = WithMouse(cell, k.hot, k.pressed);
    }
    return Wrap(cell, n);
}

namespace {

CheckLayout Layout(const TRect& rc, int cellWidth, int cellHeight, bool leftText, bool rightToLeft,
                   int rightInset) {
    CheckLayout l;
    const int top = rc.Top + (rc.Height() - cellHeight) / 2;
    if (leftText) {
        const int right = rc.Right - rightInset;
        l.image = {right - cellWidth, top, right, top + cellHeight};
        l.text = {rc.Left, rc.Top, rc.Right - cellWidth - 2 - rightInset, rc.Bottom};
        l.flags = rightToLeft ? kDtRtlReading | kDtRight : 0;
    } else {
        l.image = {rc.Left, top, rc.Left + cellWidth, top + cellHeight};
        l.text = {rc.Left + cellWidth + 2, rc.Top, rc.Right, rc.Bottom};
        l.flags = rightToLeft ? kDtRtlReading : 0;
    }
    return l;
}

}  // namespace

CheckLayout LayoutCheckBox(const TRect& rc, int cellWidth, int cellHeight, bool leftText, bool rightToLeft) {
    return Layout(rc, cellWidth, cellHeight, leftText, rightToLeft, 0);
}

CheckLayout LayoutRadioButton(const TRect& rc, int cellWidth, int cellHeight, bool leftText,
                              bool rightToLeft) {
    return Layout(rc, cellWidth, cellHeight, leftText, rightToLeft, 1);
}

TRect CentreCaption(const TRect& text, int measuredHeight) {
    const int dy = (text.Height() - measuredHeight) / 2;
    return {text.Left, text.Top + dy, text.Right, text.Bottom + dy};
}

TRect CaptionFocusBox(const TRect& rect, int measuredWidth, int measuredHeight, unsigned flags) {
    int left = rect.Left, top = rect.Top;
    if (flags & kDtCenter) {
        left += (rect.Width() - measuredWidth) / 2;
        top += (rect.Height() - measuredHeight) / 2 - 1;
    } else if (flags & kDtRight) {
        left += rect.Width() - measuredWidth;
    }
    return {std::max(left - 2, rect.Left), std::max(top - 1, rect.Top),
            std::min(left + measuredWidth + 2, rect.Right), std::min(top + measuredHeight + 1, rect.Bottom)};
}
