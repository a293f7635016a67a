// Skins with a part missing: the smallest skins that leave an image empty or a colour to the system, and
// what the derived images make of them.
#include <gtest/gtest.h>

#include <memory>

#include "platform/stream.h"
#include "skin/data/skin_data.h"
#include "skin/imaging/img_util.h"
#include "test_skins.h"

using namespace testskin;

namespace {

std::unique_ptr<TSkinData> Load(const std::string& ini, const std::vector<SkinPackageEntry>& images) {
    const std::vector<std::uint8_t> packed = Package(ini, images);
    TMemoryStream s;
    s.WriteInt32(std::int32_t(packed.size()));
    s.WriteBuffer(packed.data(), std::int64_t(packed.size()));
    s.SetPosition(0);
    auto d = std::make_unique<TSkinData>(nullptr);
    d->ReadSkinStream(s);
    return d;
}

// A combo button strip of one 20 x 21 frame: key-coloured at the corners, solid elsewhere.
TBitmap ComboButton() {
    TBitmap b(20, 21, pf24bit);
    b.Fill(0x204060);
    for (int y : {0, 20})
        for (int x : {0, 19}) b.SetPixel(x, y, kMagenta);
    return b;
}

constexpr TColor kFace = 0x3C5A78;
TColor PinnedSysColor(int index) { return index == 15 ? kFace : TColor(0x010101 * index); }

class PinnedSystemColors : public ::testing::Test {
protected:
    void SetUp() override { old_ = SetSysColorFunc(&PinnedSysColor); }
    void TearDown() override { SetSysColorFunc(old_); }
    SysColorFunc old_ = nullptr;
};

}  // namespace

TEST_F(PinnedSystemColors, ComboArrowWithoutAFaceColourTakesTheSystemButtonFace) {
    // A combo button, no sunken edge and no ButtonFace key: the arrow's key pixels become the system button
    // face, resolved, and never the raw system-colour value.
    auto d = Load("[TitlebarSkin]\nSkinName=Tiny\n[ComboButton]\nImage=combo.bmp\n",
                  {{"combo.bmp", BmpBytes(ComboButton())}});
    ASSERT_NE(d->comboxarrow, nullptr);
    const TBitmap& arrow = d->comboxarrow->Map;
    ASSERT_EQ(arrow.Width(), 20);
    EXPECT_EQ(arrow.Pixel(0, 0), kFace);
    EXPECT_EQ(arrow.Pixel(19, 20), kFace);
    EXPECT_EQ(arrow.Pixel(5, 5), 0x204060u);
}

TEST(SkinFallbacks, AMissingSunkenEdgeImageLeavesTheComboFaceTransparent) {
    // The sunken edge names an image the package lacks: the combo faces keep the key colour where the edge
    // would be, rather than an opaque black frame.
    auto d =
        Load("[TitlebarSkin]\nSkinName=Tiny\n[ComboButton]\nImage=combo.bmp\n[SunkEdge]\nImage=gone.bmp\n",
             {{"combo.bmp", BmpBytes(ComboButton())}});
    ASSERT_NE(d->combox, nullptr);
    ASSERT_NE(d->Comboxborder, nullptr);
    const TBitmap& faces = d->combox->Map;
    ASSERT_EQ(faces.Height(), 21);
    for (int y = 0; y < 21; ++y) {
        ASSERT_EQ(faces.Pixel(0, y), kMagenta) << y;
        ASSERT_EQ(faces.Pixel(1, y), kMagenta) << y;
    }
    for (int x = 0; x < 20; ++x) ASSERT_EQ(faces.Pixel(x, 0), kMagenta) << x;
}
