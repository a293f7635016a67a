// Where the items of a skinned menu bar go in its band, and which item the arrow keys move to. Pure
// geometry and decisions; the menu bar draws and hit-tests with the rectangles.
#pragma once

#include <span>
#include <vector>

#include "platform/types.h"

// One top-level item as the layout sees it: its caption's measured width (0 for an empty caption) and
// whether it is shown.
struct MenuBarEntry {
    int textWidth = 0;
    bool visible = true;
};

// The width an item takes: its caption and 10 pixels of room, or nothing for an empty caption.
int MenuBarItemWidth(int textWidth);
// The distance of the first item from the band's start (left, or right for a right-to-left bar): 6 without
// a menu-bar image, else its left margin + 4 (right margin + 8 when right to left); 12 when that does not
// fit.
int MenuBarStart(bool hasImage, int marginLeft, int marginRight, bool rightToLeft, int bandWidth);
// The items' rectangles in band coordinates (0 .. width, 0 .. height - 1), in item order; a hidden item gets
// an empty rectangle at the origin. Right to left, the first item is the rightmost and ends `start` pixels
// before `rightEdge` (the band's width, or less where the MDI child's buttons sit).
std::vector<TRect> LayoutMenuBar(std::span<const MenuBarEntry> items, int bandHeight, int start,
                                 bool rightToLeft, int rightEdge);
// The item the arrow keys move to from `current` among `count` items, wrapping at both ends; -1 without
// items.
int NextMenuBarIndex(int current, int count, bool forward);

// What Right or Left does in an open drop-down of the bar, from where the keyboard is: in the drop-down
// itself or in one of its submenus, on an item that opens a submenu or not.
enum class BarArrow {
    Platform,  // the menu opens the selected item's submenu (Right) or closes the submenu (Left)
    Next,      // the bar moves on to its next item
    Previous,  // the bar moves back to its previous item
};
BarArrow ArrowInDropDown(bool right, bool inDropDown, bool selectedOpensSubmenu);
