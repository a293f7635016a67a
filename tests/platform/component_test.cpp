// Components: ownership, teardown order, notifications, names and state flags.
#include <gtest/gtest.h>

#include "framework_fixtures.h"

namespace {
// Records what it is told and what state it was in while being destroyed.
class TWatcher : public TComponent {
public:
    using TComponent::TComponent;
    ~TWatcher() override {
        Destroying();  // the pattern for a descendant whose destructor needs the flag
        DestroyComponents();
        EventLog().push_back(Name() + (HasState(csDestroying) ? " destroying" : " NOT destroying") +
                             (Owner() ? " owned" : " unowned"));
    }
    void Notification(TComponent* component, TOperation operation) override {
        seen.push_back((operation == TOperation::opInsert ? "+" : "-") + component->Name());
    }
    std::vector<std::string> seen;
};
}  // namespace

TEST(ComponentOwnership, OwnerFreesItsComponentsLastFirstAndOneFreedAloneLeaves) {
    EventLog().clear();
    {
        TWatcher owner(nullptr);
        owner.SetName("Owner");
        auto* a = new TWatcher(&owner);
        a->SetName("A");
        auto* b = new TWatcher(&owner);
        b->SetName("B");
        auto* c = new TWatcher(&owner);
        c->SetName("C");
        new TWatcher(a);  // owned by A, freed with it
        EXPECT_EQ(owner.ComponentCount(), 3);
        EXPECT_EQ(b->ComponentIndex(), 1);
        EXPECT_EQ(owner.FindComponent("b"), b);

        delete b;  // freed on its own: leaves the owner's list
        EXPECT_EQ(owner.ComponentCount(), 2);
        EXPECT_EQ(owner.Components(1), c);
        EXPECT_EQ(owner.FindComponent("B"), nullptr);
        EXPECT_EQ(EventLog().back(), "B destroying owned");
        EventLog().clear();
    }
    // Owned ones go newest first, already out of the owner's list; every one sees csDestroying.
    const std::vector<std::string> expected{"C destroying unowned", " destroying unowned",
                                            "A destroying unowned", "Owner destroying unowned"};
    EXPECT_EQ(EventLog(), expected);
}

TEST(ComponentOwnership, InsertAndRemoveNotifyTheOwnerAndSiblings) {
    TWatcher owner(nullptr);
    auto* first = new TWatcher(&owner);
    first->SetName("First");
    auto* second = new TWatcher(&owner);
    second->SetName("Second");
    EXPECT_EQ(owner.seen, (std::vector<std::string>{"+", "+"}));  // named only after insertion
    owner.seen.clear();
    first->seen.clear();

    TWatcher other(nullptr);
    other.InsertComponent(second);  // moves between owners
    EXPECT_EQ(second->Owner(), &other);
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.seen, (std::vector<std::string>{"-Second"}));
    EXPECT_EQ(first->seen, (std::vector<std::string>{"-Second"}));
    EXPECT_EQ(other.seen, (std::vector<std::string>{"+Second"}));

    // A name taken in the new owner is refused and the component stays where it was.
    auto* clash = new TWatcher(&owner);
    clash->SetName("second");
    EXPECT_THROW(other.InsertComponent(clash), EComponentError);
    EXPECT_EQ(clash->Owner(), &owner);
}

TEST(ComponentOwnership, FreeNotificationClearsReferencesAcrossOwners) {
    auto* formA = new TTestControl(nullptr);
    auto* formB = new TTestControl(nullptr);
    auto* edit = new TTestControl(formA);
    auto* label = new TTestControl(formB);
    label->SetBuddy(edit);
    delete formA;  // frees edit: label must forget it
    EXPECT_EQ(label->Buddy(), nullptr);

    auto* edit2 = new TTestControl(formB);
    label->SetBuddy(edit2);
    delete label;  // the other way round: edit2 must not keep a link to a freed label
    delete edit2;  // would touch freed memory if the link survived (caught by the sanitizer)
    delete formB;
}

TEST(ComponentNames, MustBeIdentifiersUniqueInTheOwner) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("Button1");
    EXPECT_THROW(b->SetName("BUTTON1"), EComponentError);
    EXPECT_THROW(b->SetName("1Button"), EComponentError);
    EXPECT_THROW(b->SetName("Button 2"), EComponentError);
    EXPECT_THROW(b->SetName("按钮"), EComponentError);
    EXPECT_EQ(b->Name(), "");
    b->SetName("_Button2");
    a->SetName("button1");  // renaming itself in another case is fine
    EXPECT_EQ(owner.FindComponent("BUTTON1"), a);
    a->SetName("");
    b->SetName("");  // empty names never clash
    EXPECT_EQ(owner.FindComponent(""), nullptr);
    // The name is also a published property.
    EXPECT_TRUE(SetPropByName(a, "Name", "Renamed"));
    EXPECT_EQ(owner.FindComponent("Renamed"), a);
}

TEST(ComponentState, FlagsLoadedAndDesigning) {
    TComponent owner(nullptr);
    auto* child = new TComponent(&owner);
    owner.SetDesigning(true);
    EXPECT_TRUE(child->HasState(csDesigning));
    owner.SetDesigning(false);
    EXPECT_FALSE(child->HasState(csDesigning));

    child->SetComponentState(csLoading | csReading, true);
    child->SetComponentState(csReading, false);
    EXPECT_EQ(child->ComponentState(), csLoading);
    child->Loaded();
    EXPECT_EQ(child->ComponentState(), 0u);
}

TEST(ComponentHandlers, FoundByNameInAnyCaseWithTheirType) {
    TComponent form(nullptr);
    int hits = 0;
    form.RegisterHandler("B2Click", [&](TObject*) { ++hits; });
    form.RegisterHandler<std::function<void(TObject*, int)>>("Draw", [&](TObject*, int n) { hits += n; });
    const std::any* click = form.FindHandler("b2click");
    ASSERT_NE(click, nullptr);
    ASSERT_NE(std::any_cast<TNotifyEvent>(click), nullptr);
    (*std::any_cast<TNotifyEvent>(click))(&form);
    EXPECT_EQ(std::any_cast<TNotifyEvent>(form.FindHandler("Draw")), nullptr);
    EXPECT_EQ(form.FindHandler("Missing"), nullptr);
    EXPECT_EQ(hits, 1);
}
