// Skin objects: one per skinned element of a loaded skin. Each holds an image strip of `frame` equal
// state cells, its nine-slice margins and a few flags and colours; the skin component keeps them in named
// fields and every skinner reads them from there.
#pragma once

#include <cstdint>
#include <string>

#include "platform/bitmap.h"
#include "platform/types.h"

class TDataSkinObject {
public:
    explicit TDataSkinObject(std::string id = {}) : IDName(std::move(id)) {}
    virtual ~TDataSkinObject() = default;
    TDataSkinObject(TDataSkinObject&&) = default;
    TDataSkinObject& operator=(TDataSkinObject&&) = default;

    // The margins (Left, Top, Right, Bottom widths, unscaled). The menu bar and the frame borders use
    // them otherwise, as their readers say.
    TRect r;
    TBitmap Map;             // the image strip; empty when the skin gives none
    std::int32_t trans = 0;  // non-zero: magenta pixels are transparent
    std::int32_t Tile = 0;   // 0 stretch the middle parts, 1 tile them
    std::string IDName;      // the section the object was read from, or a fixed name
    std::int32_t frame = 0;  // number of state cells in Map
    std::int32_t style = 0;
    std::int32_t Normalcolor = 0;
    std::int32_t Overcolor = 0;
    std::int32_t Downcolor = 0;
    TColor Normalcolor2 = 0;
    TColor Overcolor2 = 0;
    TColor Downcolor2 = 0;
};

// A skin object with a second image: a glyph, a border image or a mirrored copy of Map.
class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    TBitmap MaskMap;
};

// The caption text: Map is the text background (two stacked cells).
class TDataSkinTitle : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t Aligment = 0;
    std::int32_t BackGround = 0;
    std::int32_t FontHeight = 0;
    std::int32_t backleft = 0;
    std::int32_t backright = 0;
    TColor activetext = 0;
    TColor inactivetext = 0;
};

// Push buttons, with the check box and radio button images beside the face.
class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    TBitmap CheckMap;
    TBitmap RadioMap;
    std::int32_t radioframe = 0;
    std::int32_t checkframe = 0;
    bool newnormal = false;
    bool newover = false;
    bool newdown = false;
};

// One caption button (or MDI child button of the menu bar).
class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t Action = 0;
    std::int32_t Align = 0;
    std::int32_t XCoord = 0;
    std::int32_t YCoord = 0;
    std::int32_t CombineOp = 0;
    std::int32_t Visibility = 0;
    std::int32_t Visibility1 = 0;
};

// The group box caption background.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t LeftShift = 0;
    std::int32_t RightShift = 0;
    std::int32_t Alignment = 0;
};

// Width of one cell of an image holding `cells` cells side by side (0 for an empty image or count).
inline int CellWidth(const TBitmap& map, int cells) { return cells > 0 ? map.Width() / cells : 0; }
inline int CellHeight(const TBitmap& map, int cells) { return cells > 0 ? map.Height() / cells : 0; }
