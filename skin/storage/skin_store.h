// TSkinStore: a component that keeps several packed skin packages in a program's form description, each
// under a name unique in the store, so that the program can switch skins at run time (the skin
// component's LoadFromCollection). It only keeps the bytes: nothing here unpacks or parses a skin.
#pragma once

#include <filesystem>
#include <string>

#include "platform/collection.h"
#include "platform/component.h"
#include "platform/stream.h"

class TSkinCollection;

// One stored skin: its name and its packed package exactly as a skin file holds it.
class TSkinCollectionItem : public TCollectionItem {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    // Named "SkinItem" and the identifier the collection gives it.
    explicit TSkinCollectionItem(TCollection* collection);

    const std::string& Name() const { return FName; }
    // Another item of the collection with that name (exact) refuses it: EStoreError "The name ... is
    // already used.", the old name kept.
    void SetName(const std::string& value);
    // Always "Load Skin"; what is written to it is ignored (a hook for a designer's file chooser).
    std::string SkinData() const { return "Load Skin"; }
    void SetSkinData(const std::string&) {}
    int DataSize() const { return int(FData.Size()); }
    const TMemoryStream& Data() const { return FData; }

    // Copies the name and the data of another item; anything else raises the default error.
    void Assign(const TPersistent& source) override;
    // Appends the whole package to dest; this item's own position is kept.
    void CopyData(TStream& dest) const;
    // Takes the whole package from a stream or a file. The stored package is replaced only when the new
    // one was read whole: a missing or unreadable file raises the open or read error and keeps it.
    void LoadFromStream(TStream& source);
    void LoadFromFile(const std::filesystem::path& fileName);
    // "DataStream": the raw bytes of the package.
    void DefineProperties(TFiler& filer) override;
    std::string DisplayName() const override { return FName; }

private:
    std::string FName;
    mutable TMemoryStream FData;
};

class TSkinCollection : public TCollection {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    explicit TSkinCollection(TPersistent* owner);
    TSkinCollectionItem* Add() { return static_cast<TSkinCollectionItem*>(TCollection::Add()); }
    TSkinCollectionItem* Items(int index) const {
        return static_cast<TSkinCollectionItem*>(TCollection::Items(index));
    }
    // The index of the item with that name, or -1.
    int IndexOf(const std::string& name) const;
};

class TSkinStore : public TComponent {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TSkinStore(TComponent* owner);
    ~TSkinStore() override;

    TSkinCollection* Store() const { return FStore.get(); }
    // Copies the given collection's items (nil changes nothing).
    void SetStore(TSkinCollection* value);

private:
    std::unique_ptr<TSkinCollection> FStore;
};

// The refusal of a name already used in the store.
class EStoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
