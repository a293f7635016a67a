#include "tools/skingen/contact.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/types.h"

#include "tools/skingen/art.h"
#include "tools/skingen/font.h"

namespace skingen {

namespace {

constexpr int kSheetWidth = 1500;
constexpr Rgb kPaper{250, 250, 248};
constexpr Rgb kInk{30, 30, 30};
constexpr Rgb kMuted{110, 110, 110};
constexpr Rgb kGrid{200, 200, 200};

struct Box {
    int x, y, w, h;
};

Box CellBox(const SkinImage& image, int i) {  // i from 0
    const Canvas& p = image.pixels;
    if (image.layout == CellLayout::Stacked) {
        const int h = p.Height() / image.cells;
        return {0, i * h, p.Width(), h};
    }
    const int w = p.Width() / image.cells;
    return {i * w, 0, w, p.Height()};
}

// Nine-slice with stretched edges and centre (nearest neighbour), optionally skipping key pixels.
void NineSlice(Canvas& dst, const Canvas& src, Box s, int l, int t, int r, int b, Box d, bool keyed) {
    if (l + r > d.w) l = r = 0;
    if (t + b > d.h) t = b = 0;
    auto map = [](int v, int lo, int hi, int srcLen, int dstLen) {
        if (v < lo) return v;
        if (v >= dstLen - hi) return srcLen - (dstLen - v);
        const int mid = std::max(1, dstLen - lo - hi), srcMid = std::max(1, srcLen - lo - hi);
        return lo + (v - lo) * srcMid / mid;
    };
    for (int y = 0; y < d.h; ++y)
        for (int x = 0; x < d.w; ++x) {
            const int sx = std::clamp(map(x, l, r, s.w, d.w), 0, s.w - 1);
            const int sy = std::clamp(map(y, t, b, s.h, d.h), 0, s.h - 1);
            const Rgb c = src.At(s.x + sx, s.y + sy);
            if (keyed && c == kKey) continue;
            dst.Set(d.x + x, d.y + y, c);
        }
}

void Stretch(Canvas& dst, const Canvas& src, Box s, Box d, bool keyed) {
    NineSlice(dst, src, s, 0, 0, 0, 0, d, keyed);
}

const SkinImage* ByKey(const Skin& skin, const std::string& section, const std::string& key) {
    for (const SkinImage& image : skin.images)
        if (image.section == section && image.key == key) return &image;
    return nullptr;
}

// Draws cell i (from 1) of the image named by section/key, nine-sliced into d.
void Piece(Canvas& c, const Skin& skin, const std::string& section, const std::string& key, int cell, Box d,
           int l = 0, int t = 0, int r = 0, int b = 0, bool keyed = true) {
    const SkinImage* image = ByKey(skin, section, key);
    if (!image) return;
    NineSlice(c, image->pixels, CellBox(*image, cell - 1), l, t, r, b, d, keyed);
}

void Centered(Canvas& c, const Skin& skin, const std::string& section, const std::string& key, int cell,
              Box d) {
    const SkinImage* image = ByKey(skin, section, key);
    if (!image) return;
    const Box s = CellBox(*image, cell - 1);
    Stretch(c, image->pixels, s, {d.x + (d.w - s.w) / 2, d.y + (d.h - s.h) / 2, s.w, s.h}, true);
}

void Label(Canvas& c, Box d, const std::string& text, Rgb colour) {
    DrawText(c, d.x + (d.w - TextWidth(text)) / 2 + 1, d.y + (d.h - kGlyphHeight) / 2, text, colour);
}

// A 402 x 276 window as the engine would compose it from this skin.
Canvas PreviewWindow(const Skin& skin, bool active) {
    const Theme& t = skin.theme;
    constexpr int W = 402, H = 276;
    Canvas c(W, H, kPaper);
    const int f = active ? 1 : 2;
    c.FillRect(4, 28, W - 4, H - 4, t.face);
    Piece(c, skin, "Personality", "Left", f, {0, 0, 4, H}, 0, 28, 0, 4);
    Piece(c, skin, "Personality", "Right", f, {W - 4, 0, 4, H}, 0, 28, 0, 4);
    Piece(c, skin, "Personality", "Top", f, {4, 0, W - 8, 28}, 11, 0, 140, 0);
    Piece(c, skin, "Personality", "Bottom", f, {4, H - 4, W - 8, 4}, 1, 0, 1, 0);
    if (const SkinImage* back = ByKey(skin, "Personality", "TextBack"))
        NineSlice(c, back->pixels, CellBox(*back, f - 1), 10, 0, 10, 0, {14, 0, 160, 28}, true);
    // Icon and caption text.
    c.FillShape(Ellipse(16, 15, 7, 7), Solid(active ? Rgb{255, 255, 255} : Rgb{220, 220, 220}), 8, 7, 24, 23);
    c.FillShape(Ellipse(16, 15, 5.5, 5.5), Solid(t.accent), 8, 7, 24, 23);
    c.FillShape(Segment(16, 15, 16, 11, 1.5), Solid({255, 255, 255}), 8, 7, 24, 23);
    DrawText(c, 30, 11, "Tocvane  00:01:02.345", active ? t.capText : t.capTextInactive);
    const int capCell = active ? 1 : 4;
    Piece(c, skin, "Button0", "ButtonImage", capCell, {W - 28, 4, 21, 21});
    Piece(c, skin, "Button1", "ButtonImage", capCell, {W - 52, 4, 21, 21});
    Piece(c, skin, "Button2", "ButtonImage", capCell, {W - 76, 4, 21, 21});
    // Menu bar with a hot item frame.
    Piece(c, skin, "Personality", "menuBar", f, {4, 28, W - 8, 20}, 1, 0, 1, 0, false);
    DrawText(c, 12, 35, "File  Edit  View  Help", t.schemeMenuBarText);
    const int y0 = 56;
    // Push buttons in every state.
    const char* states[] = {"Normal", "Pressed", "Disabled", "Hot", "Default"};
    for (int i = 0; i < 5; ++i) {
        const Box d{12 + i * 74, y0, 68, 25};
        Piece(c, skin, "Buttons", "Bitmap", i + 1, d, 8, 9, 23, 9);
        Label(c, d, states[i], i == 2 ? t.textDisabled : t.text);
    }
    // Check boxes and radio buttons: every cell of their images.
    const int checks = ByKey(skin, "Buttons", "CheckButton")->cells;
    const int radioCells = ByKey(skin, "Buttons", "RadioButton")->cells;
    const int radios = radioCells == 5 ? 4 : radioCells;  // the fifth of five is unused
    for (int i = 0; i < checks; ++i)
        Piece(c, skin, "Buttons", "CheckButton", i + 1, {14 + i * (190 / checks), y0 + 36, 13, 13});
    for (int i = 0; i < radios; ++i)
        Piece(c, skin, "Buttons", "RadioButton", i + 1, {214 + i * (160 / radios), y0 + 36, 13, 13});
    // Progress at 60 %.
    Piece(c, skin, "Progress", "Bitmap", 1, {14, y0 + 60, 180, 14}, 3, 3, 3, 3);
    if (ByKey(skin, "Progress", "Bitmap")->cells > 1) {
        Piece(c, skin, "Progress", "Bitmap", 2, {14, y0 + 60, 108, 14}, 3, 3, 3, 3);
    } else if (const SkinImage* chunk = ByKey(skin, "Progress.Chunk", "Image")) {
        for (int x = 14 + 3; x + 8 <= 14 + 108; x += 8)
            Stretch(c, chunk->pixels, {0, 0, 8, 10}, {x, y0 + 62, 8, 10}, true);
    }
    // Combo box.
    Piece(c, skin, "SunkEdge", "Image", 1, {210, y0 + 58, 150, 21}, 3, 3, 3, 3);
    Piece(c, skin, "ComboButton", "Image", 1, {210 + 150 - 19, y0 + 58, 19, 21}, 3, 3, 4, 3);
    Centered(c, skin, "ExtraImages", "Image", 1, {210 + 150 - 19, y0 + 58, 19, 21});
    DrawText(c, 216, y0 + 65, "Lap 3", t.text);
    // Horizontal scroll bar.
    const int sy = y0 + 88;
    Piece(c, skin, "HorzScroll", "Image", 1, {14, sy, 200, 16}, 0, 1, 0, 1, false);
    Piece(c, skin, "Scrollbar", "Image", 1, {14, sy, 17, 16});
    Piece(c, skin, "Scrollbar", "Image", 8, {14 + 200 - 17, sy, 17, 16});
    Piece(c, skin, "HorzScrollThumb", "Image", 1, {60, sy, 50, 16}, 5, 4, 5, 4);
    Piece(c, skin, "Scrollbar", "Image", 17, {60 + 17, sy, 17, 16});
    // Header.
    for (int i = 0; i < 3; ++i) {
        const Box d{210 + i * 50, sy - 4, 50, 20};
        Piece(c, skin, "Headerbar", "Image", i == 1 ? 2 : 1, d, 2, 2, 3, 2, false);
        Label(c, d,
              i == 0   ? "Lap"
              : i == 1 ? "Time"
                       : "Note",
              t.writeWindowText ? t.schemeWindowText : t.text);
    }
    // Tabs over a page.
    const int ty = y0 + 116;
    if (ByKey(skin, "Tab.Pane", "Image"))  // the page frame of the tab style that has one
        Piece(c, skin, "Tab.Pane", "Image", 1, {14, ty + 20, 200, 60}, 4, 4, 4, 4, false);
    else
        Piece(c, skin, "Tabs", "Border", 1, {14, ty + 20, 200, 60}, 4, 5, 4, 4, false);
    for (int i = 0; i < 3; ++i) {
        const bool current = i == 0;
        const Box d{14 + i * 58 + (current ? 0 : 2), current ? ty : ty + 2, current ? 60 : 56,
                    current ? 21 : 19};
        Piece(c, skin, "Tabs", "Image", current ? 2 : 1, d, 4, 4, 4, 3);
        Label(c, d, i == 0 ? "Laps" : i == 1 ? "Log" : "Info", t.text);
    }
    // Track bar, up-down and a vertical scroll bar.
    if (const SkinImage* track = ByKey(skin, "Track", "Image"))
        NineSlice(c, track->pixels, {0, 0, track->pixels.Width(), track->pixels.Height()}, 3, 0, 3, 0,
                  {230, ty + 34, 110, 6}, false);
    else
        c.FillRect(230, ty + 35, 340, ty + 39, t.shadow);
    Piece(c, skin, "Trackbar.ThumbHorz", "Image", 2, {270, ty + 26, 11, 21});
    Piece(c, skin, "UpDown.Vert", "Image", 1, {350, ty + 22, 16, 12}, 3, 3, 3, 3);
    Piece(c, skin, "UpDown.Vert", "Image", 5, {350, ty + 34, 16, 12}, 3, 3, 3, 3);
    Centered(c, skin, "UpDown.Vert", "GlyphImage", 1, {350, ty + 22, 16, 12});
    Centered(c, skin, "UpDown.Vert", "GlyphImage", 5, {350, ty + 34, 16, 12});
    Piece(c, skin, "VertScroll", "Image", 1, {W - 4 - 17, 48, 17, H - 4 - 20 - 48}, 1, 0, 1, 0, false);
    Piece(c, skin, "Scrollbar", "Image", 9, {W - 4 - 17, 48, 17, 16});
    Piece(c, skin, "Scrollbar", "Image", 13, {W - 4 - 17, H - 24 - 16, 17, 16});
    Piece(c, skin, "VertScrollThumb", "Image", 3, {W - 4 - 17, 90, 17, 60}, 4, 5, 4, 5);
    Piece(c, skin, "Scrollbar", "Image", 22, {W - 4 - 17, 90 + 22, 17, 16});
    // Status bar with a size grip.
    Piece(c, skin, "StatusBarEdges", "Image", 1, {4, H - 24, 180, 20}, 2, 2, 2, 2, false);
    Piece(c, skin, "StatusBarEdges", "Image", 1, {184, H - 24, W - 8 - 180, 20}, 2, 2, 2, 2, false);
    DrawText(c, 10, H - 17, "Ready", t.text);
    Piece(c, skin, "ExtraImages", "Image", 5, {W - 4 - 1 - 12, H - 4 - 1 - 12, 12, 12});
    return c;
}

// A small menu popup from the menu background, items and colours.
Canvas PreviewMenu(const Skin& skin) {
    const Theme& t = skin.theme;
    Canvas c(150, 110, kPaper);
    Piece(c, skin, "MenuBackground", "Image", 1, {0, 0, 150, 110}, 3, 3, 3, 3, false);
    const char* items[] = {"Start", "Lap", "-", "Clear log", "Quit"};
    int y = 4;
    for (int i = 0; i < 5; ++i) {
        const bool sep = items[i][0] == '-';
        const int h = sep ? 8 : 20;
        const Box d{3, y, 144, h};
        const bool selected = i == 1;
        if (const SkinImage* item = ByKey(skin, "MenuItem", "Image")) {
            if (sep)
                NineSlice(c, item->pixels, {24, 12, 24, 8}, 3, 0, 3, 0, d, true);
            else if (selected)
                Piece(c, skin, "MenuItem", "Image", 4, d, 3, 3, 3, 3);
        } else if (sep) {
            c.HLine(6, 144, y + 4, t.shadow);
            c.HLine(6, 144, y + 5, t.hilight);
        } else if (selected) {
            c.FillRect(d.x, d.y, d.x + d.w, d.y + d.h, t.schemeHilight);
        }
        if (!sep)
            DrawText(c, 26, y + 7, items[i],
                     selected && !ByKey(skin, "MenuItem", "Image") ? t.schemeHilightText : t.schemeMenuText);
        y += h;
    }
    return c;
}

void Blit(Canvas& dst, const Canvas& src, int x, int y, int scale) {
    for (int sy = 0; sy < src.Height(); ++sy)
        for (int sx = 0; sx < src.Width(); ++sx)
            dst.FillRect(x + sx * scale, y + sy * scale, x + (sx + 1) * scale, y + (sy + 1) * scale,
                         src.At(sx, sy));
}

std::string Upper(std::string s) {
    for (char& ch : s)
        if (ch >= 'a' && ch <= 'z') ch = char(ch - 'a' + 'A');
    return s;
}

int ScaleFor(const Box& cell) {
    const double s = std::sqrt(14000.0 / std::max(1, cell.w * cell.h));
    return std::clamp(int(s), 2, 6);
}

// One image's block: its section and key, file and size, then its cells enlarged with their meanings.
// Draws it at (x, y) when target is given; returns its size either way.
TSize ImageBlock(const SkinImage& image, Canvas* target, int x0, int y0, int maxWidth) {
    const Box first = CellBox(image, 0);
    const int s = ScaleFor(first);
    const std::string head =
        image.section.empty() ? "(not referenced)" : "[" + image.section + "] " + image.key;
    const std::string sub = image.file + "  " + std::to_string(image.pixels.Width()) + "x" +
                            std::to_string(image.pixels.Height()) + "  " + std::to_string(image.cells) +
                            (image.cells == 1 ? " cell" : " cells") +
                            (image.layout == CellLayout::Stacked ? " stacked" : "");
    if (target) {
        DrawText(*target, x0, y0, Upper(head), kInk, 2);
        DrawText(*target, x0, y0 + 18, Upper(sub), kMuted);
    }
    int width = std::max(TextWidth(head, 2), TextWidth(sub));
    int x = 0, y = 30, rowHeight = 0;
    for (int i = 0; i < image.cells; ++i) {
        const Box cell = CellBox(image, i);
        const std::string label = std::to_string(i + 1) + " " + Upper(image.meanings[std::size_t(i)]);
        const int slot = std::max(cell.w * s + 2, TextWidth(label)) + 10;
        if (x + slot > maxWidth && x > 0) {
            x = 0;
            y += rowHeight;
            rowHeight = 0;
        }
        if (target) {
            const int cx = x0 + x, cy = y0 + y;
            target->FillRect(cx, cy, cx + cell.w * s + 2, cy + cell.h * s + 2, kGrid);
            Stretch(*target, image.pixels, cell, {cx + 1, cy + 1, cell.w * s, cell.h * s}, false);
            DrawText(*target, cx, cy + cell.h * s + 6, label, kMuted);
        }
        rowHeight = std::max(rowHeight, cell.h * s + 2 + 18);
        x += slot;
        width = std::max(width, x);
    }
    return {width, y + rowHeight};
}

// Flows the image blocks in rows across the sheet; draws them when target is given. Returns the height.
int LayoutImages(const Skin& skin, Canvas* target, int top, int sheetWidth) {
    constexpr int kMargin = 16, kGapX = 40, kGapY = 24;
    int x = kMargin, y = top, rowHeight = 0;
    for (const SkinImage& image : skin.images) {
        const TSize size = ImageBlock(image, nullptr, 0, 0, sheetWidth - 2 * kMargin);
        if (x + size.cx > sheetWidth - kMargin && x > kMargin) {
            x = kMargin;
            y += rowHeight + kGapY;
            rowHeight = 0;
        }
        if (target) ImageBlock(image, target, x, y, sheetWidth - 2 * kMargin);
        x += size.cx + kGapX;
        rowHeight = std::max(rowHeight, size.cy);
    }
    return y + rowHeight - top;
}

}  // namespace

Canvas DrawContactSheet(const Skin& skin, std::size_t unpackedSize, std::size_t packedSize) {
    const int previewScale = 2;
    const int previewTop = 60;
    const int previewHeight = 276 * previewScale + 40;
    const int imagesTop = previewTop + previewHeight;
    const int width = std::max(kSheetWidth, 16 + 2 * (402 * previewScale + 16));
    const int height = imagesTop + LayoutImages(skin, nullptr, imagesTop, width) + 20;
    Canvas sheet(width, height, kPaper);
    const std::string title = "SKIN " + Upper(skin.theme.name) + " (" + skin.stem + ".skn)   " +
                              std::to_string(skin.images.size() + 1) + " ENTRIES   " +
                              std::to_string(unpackedSize) + " BYTES UNPACKED, " +
                              std::to_string(packedSize) + " PACKED";
    DrawText(sheet, 16, 16, Upper(title), kInk, 3);
    Blit(sheet, PreviewWindow(skin, true), 16, previewTop, previewScale);
    const Canvas inactive = PreviewWindow(skin, false);
    Blit(sheet, inactive, 16 + 402 * previewScale + 16, previewTop, 1);
    Blit(sheet, PreviewMenu(skin), 16 + 402 * previewScale + 16, previewTop + 276 + 16, previewScale);
    LayoutImages(skin, &sheet, imagesTop, width);
    return sheet;
}

}  // namespace skingen
