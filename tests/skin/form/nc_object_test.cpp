// The non-client objects' state machine: one hot or pressed object per window, hand-over between objects,
// hidden objects ignoring the mouse, and a freed object never left behind as the hot one.
#include "skin/form/nc_object.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Window : NcObjectHost {
    int hintsHidden = 0;
    void HideHint() override { ++hintsHidden; }
};

struct Button : TNCObject {
    Button(Window* w, std::string n, std::vector<std::string>& log)
        : TNCObject(w), name(std::move(n)), log(log) {
        visible = true;
    }
    void Draw() override { log.push_back(name + ":" + std::to_string(state)); }
    std::string name;
    std::vector<std::string>& log;
};

TEST(NcObjects, OneHotOrPressedObjectAtATime) {
    Window w;
    std::vector<std::string> log;
    Button close(&w, "close", log), min(&w, "min", log);

    close.MouseEnter();
    EXPECT_EQ(w.ActiveBtn, &close);
    close.MouseEnter();  // already hot: nothing is drawn again
    EXPECT_EQ(log, (std::vector<std::string>{"close:3"}));

    // Moving to another object: the first goes back to normal (and its hint away) before the second lights.
    min.MouseEnter();
    EXPECT_EQ(w.ActiveBtn, &min);
    EXPECT_EQ(log, (std::vector<std::string>{"close:3", "close:1", "min:3"}));
    EXPECT_EQ(w.hintsHidden, 1);

    // Pressing another object takes over from the hot one; releasing leaves it hot.
    log.clear();
    close.MouseDown();
    EXPECT_EQ(log, (std::vector<std::string>{"min:1", "close:2"}));
    close.MouseUp();
    EXPECT_EQ(close.state, TNCObject::kHot);
    EXPECT_EQ(w.ActiveBtn, &close);

    close.MouseLeave();
    EXPECT_EQ(w.ActiveBtn, nullptr);
    EXPECT_EQ(close.state, TNCObject::kNormal);
}

TEST(NcObjects, HiddenObjectsIgnoreTheMouseAndFreedOnesAreForgotten) {
    Window w;
    std::vector<std::string> log;
    Button close(&w, "close", log);
    close.visible = false;
    close.MouseEnter();
    close.MouseDown();
    close.MouseUp();
    close.MouseLeave();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(w.ActiveBtn, nullptr);

    {
        Button gone(&w, "gone", log);
        gone.MouseDown();
        EXPECT_EQ(w.ActiveBtn, &gone);
    }
    EXPECT_EQ(w.ActiveBtn, nullptr);  // caption buttons are rebuilt at skin changes while one is hot
}

}  // namespace
