// Collections: an owned, ordered list of items of one class (status-bar panels, stored skins).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/object.h"
#include "platform/props.h"

class TCollection;

// An item belongs to one collection (or to none). Its ID is given when it joins a collection: 0, 1,
// 2 ... in order of addition, never reused within that collection. Deleting an item removes it from
// its collection.
class TCollectionItem : public TPersistent {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    // Joins collection (when not nil) at its end.
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    // Moves the item to another collection (or to none), where it gets a fresh ID.
    void SetCollection(TCollection* collection);
    int ID() const { return id_; }
    int Index() const;  // -1 without a collection
    void SetIndex(int index);
    // The name shown in lists; the class name unless a descendant says more.
    virtual std::string DisplayName() const { return ClassName(); }
    TPersistent* GetOwner() const override;

protected:
    // Tells the collection this item changed (all: every item may look different now).
    void Changed(bool all);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = -1;
};

class TCollection : public TPersistent {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    // Makes one new item joined to the given collection (new T(collection)).
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;

    // itemClass is the class of the items (Add makes them with factory); owner is what owns the
    // collection (a status bar, a skin store) and may be nil.
    TCollection(const TClassInfo& itemClass, TItemFactory factory, TPersistent* owner = nullptr);
    ~TCollection() override;

    // The usual factory: TCollection(TStatusPanel::ClassInfo_, TCollection::FactoryOf<TStatusPanel>(), bar).
    template <class T>
    static TItemFactory FactoryOf() {
        return [](TCollection* c) -> TCollectionItem* { return new T(c); };
    }

    const TClassInfo& ItemClass() const { return *itemClass_; }
    TPersistent* GetOwner() const override { return owner_; }

    int Count() const { return int(items_.size()); }
    TCollectionItem* Items(int index) const { return items_.at(std::size_t(index)); }
    template <class T>
    T* ItemAs(int index) const {
        return dynamic_cast<T*>(Items(index));
    }
    // A new item at the end.
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;
    // The ID the next added item will get.
    int NextID() const { return nextId_; }

    // Another collection: clears this one, then adds one item per source item and assigns it.
    void Assign(const TPersistent& source) override;

    // Update() runs after every change unless updates are held; nested holds count.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

protected:
    // A change to item (nil: to the whole collection, an item added, moved or removed). The default
    // does nothing; owners override it to refresh themselves.
    virtual void Update(TCollectionItem* item);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);

    const TClassInfo* itemClass_;
    TItemFactory factory_;
    TPersistent* owner_;
    std::vector<TCollectionItem*> items_;
    int nextId_ = 0;
    int updateCount_ = 0;
};
