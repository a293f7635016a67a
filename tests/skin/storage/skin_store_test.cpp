// The skin store: item names, a duplicate name refused, the packages kept through a form description, and
// a file that cannot be read leaving the stored package alone.
#include "skin/storage/skin_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/class_registry.h"
#include "platform/filer.h"
#include "platform/form_reader.h"

namespace {

class TStoreRoot : public TComponent {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TComponent::TComponent;
};
const TClassInfo TStoreRoot::ClassInfo_{"TStoreRoot", &TComponent::ClassInfo_, &TComponent::Props};

TEST(SkinStore, ItemsAreNamedByTheirIdentifierAndNamesStayUnique) {
    TSkinStore store(nullptr);
    TSkinCollection& items = *store.Store();
    for (int i = 0; i < 3; ++i) items.Add();
    EXPECT_EQ(items.Items(0)->Name(), "SkinItem0");
    EXPECT_EQ(items.Items(2)->Name(), "SkinItem2");
    items.Delete(1);
    EXPECT_EQ(items.Add()->Name(), "SkinItem3");  // identifiers are not used again

    try {
        items.Items(1)->SetName("SkinItem0");
        ADD_FAILURE() << "a duplicate name was taken";
    } catch (const EStoreError& e) {
        EXPECT_STREQ(e.what(), "The name SkinItem0 is already used.");
    }
    EXPECT_EQ(items.Items(1)->Name(), "SkinItem2");
    items.Items(1)->SetName("skinitem0");  // names differ by case
    EXPECT_EQ(items.IndexOf("skinitem0"), 1);
    items.Items(0)->SetName("SkinItem0");  // its own name again: nothing to refuse
    EXPECT_EQ(items.Items(0)->SkinData(), "Load Skin");
}

TEST(SkinStore, PackagesGoThroughAFormDescriptionAndAFailedLoadKeepsTheStoredOne) {
    RegisterComponentClasses<TSkinStore>();
    TStoreRoot root(nullptr);
    ReadComponentRes(
        "object Root: TStoreRoot\n"
        "  object Skins: TSkinStore\n"
        "    Store = <\n"
        "      item\n        Name = 'light'\n        DataStream = {0A0B0C}\n      end\n"
        "      item\n        Name = 'dark'\n        DataStream = {}\n      end>\n"
        "  end\nend\n",
        root);
    auto* store = dynamic_cast<TSkinStore*>(root.FindComponent("Skins"));
    ASSERT_NE(store, nullptr);
    ASSERT_EQ(store->Store()->Count(), 2);
    TSkinCollectionItem& light = *store->Store()->Items(0);
    EXPECT_EQ(light.Name(), "light");
    EXPECT_EQ(light.DataSize(), 3);
    EXPECT_EQ(light.Data().Bytes(), (std::vector<std::uint8_t>{0x0A, 0x0B, 0x0C}));
    EXPECT_EQ(TBinaryProperties(light).Write("DataStream"), light.Data().Bytes());

    // A copy of the store, item by item.
    TSkinStore copy(nullptr);
    copy.SetStore(store->Store());
    ASSERT_EQ(copy.Store()->Count(), 2);
    EXPECT_EQ(copy.Store()->Items(0)->Data().Bytes(), light.Data().Bytes());
    copy.SetStore(nullptr);
    EXPECT_EQ(copy.Store()->Count(), 2);

    const std::filesystem::path missing = std::filesystem::temp_directory_path() / "tv_no_such_skin.skn";
    std::filesystem::remove(missing);
    EXPECT_ANY_THROW(light.LoadFromFile(missing));
    EXPECT_EQ(light.DataSize(), 3);  // the stored skin is still there
}

}  // namespace
