// Collections: item IDs, Assign, deletion and change notices.
#include <gtest/gtest.h>

#include "framework_fixtures.h"

TEST(Collection, IdsFollowAdditionAndAreNeverReused) {
    TTestPanels panels(nullptr);
    panels.Add();
    panels.Add();
    panels.Add();
    EXPECT_EQ(panels.Items(2)->ID(), 2);
    panels.Delete(1);
    ASSERT_EQ(panels.Count(), 2);
    EXPECT_EQ(panels.Items(1)->ID(), 2);
    EXPECT_EQ(panels.Add()->ID(), 3);  // 1 stays retired
    EXPECT_EQ(panels.FindItemID(1), nullptr);
    EXPECT_EQ(panels.FindItemID(3), panels.Items(2));

    TCollectionItem* front = panels.Insert(0);
    EXPECT_EQ(front->ID(), 4);
    EXPECT_EQ(front->Index(), 0);
    EXPECT_EQ(panels.Items(1)->ID(), 0);

    panels.Clear();
    EXPECT_EQ(panels.Count(), 0);
    EXPECT_EQ(panels.Add()->ID(), 5);  // clearing does not restart the numbering
}

TEST(Collection, ItemsLeaveWhenFreedOrMovedAndGetAFreshIdElsewhere) {
    TTestPanels a(nullptr), b(nullptr);
    auto* p0 = static_cast<TTestPanel*>(a.Add());
    a.Add();
    delete p0;  // freed directly: gone from the list
    ASSERT_EQ(a.Count(), 1);
    EXPECT_EQ(a.Items(0)->ID(), 1);

    b.Add();
    TCollectionItem* moved = a.Items(0);
    moved->SetCollection(&b);
    EXPECT_EQ(a.Count(), 0);
    EXPECT_EQ(moved->Collection(), &b);
    EXPECT_EQ(moved->ID(), 1);  // b's own numbering
    EXPECT_EQ(moved->Index(), 1);
    moved->SetIndex(0);
    EXPECT_EQ(b.Items(0), moved);
    EXPECT_EQ(moved->GetOwner(), &b);
}

TEST(Collection, AssignCopiesItemsAndRefusesOtherClasses) {
    TTestPanels source(nullptr), target(nullptr);
    auto* p = static_cast<TTestPanel*>(source.Add());
    p->SetWidth(50);
    p->Text = L"作者 QQ群";
    static_cast<TTestPanel*>(source.Add())->SetWidth(80);
    target.Add();
    target.Add();
    target.Add();

    target.Assign(source);
    ASSERT_EQ(target.Count(), 2);
    EXPECT_EQ(target.ItemAs<TTestPanel>(0)->Width(), 50);
    EXPECT_EQ(target.ItemAs<TTestPanel>(0)->Text, L"作者 QQ群");
    EXPECT_EQ(target.ItemAs<TTestPanel>(1)->Width(), 80);
    EXPECT_EQ(target.Items(0)->ID(), 3);  // new items, new IDs
    EXPECT_EQ(target.Items(0)->DisplayName(), "作者 QQ群");

    target.Assign(target);  // onto itself: unchanged
    EXPECT_EQ(target.Count(), 2);

    TTestFont font;
    EXPECT_THROW(target.Assign(font), EConvertError);
    EXPECT_THROW(font.Assign(target), EConvertError);
    EXPECT_EQ(target.Count(), 2);
}

TEST(Collection, ChangesAreReportedOnceWhileUpdatesAreHeld) {
    TTestPanels panels(nullptr);
    panels.Add();
    EXPECT_EQ(panels.updates, 1);
    static_cast<TTestPanel*>(panels.Items(0))->SetWidth(10);
    EXPECT_EQ(panels.itemUpdates, 1);

    panels.updates = panels.itemUpdates = 0;
    panels.BeginUpdate();
    panels.BeginUpdate();
    panels.Add();
    panels.Add();
    static_cast<TTestPanel*>(panels.Items(0))->SetWidth(20);
    panels.Delete(0);
    panels.EndUpdate();
    EXPECT_EQ(panels.updates, 0);  // still held once
    panels.EndUpdate();
    EXPECT_EQ(panels.updates, 1);
    EXPECT_EQ(panels.itemUpdates, 0);
    panels.EndUpdate();  // unbalanced: ignored
    EXPECT_EQ(panels.UpdateCount(), 0);
}
