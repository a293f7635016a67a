// The skin store and its items.
#include "skin/storage/skin_store.h"

#include "platform/filer.h"

const PropTable TSkinCollectionItem::Props{
    &TPersistent::Props,
    {
        Prop::Str("Name", &TSkinCollectionItem::Name, &TSkinCollectionItem::SetName),
        Prop::Str("SkinData", &TSkinCollectionItem::SkinData, &TSkinCollectionItem::SetSkinData),
        Prop::Int("DataSize", &TSkinCollectionItem::DataSize),
    }};
const TClassInfo TSkinCollectionItem::ClassInfo_{"TSkinCollectionItem", &TCollectionItem::ClassInfo_,
                                                 &TSkinCollectionItem::Props};
const TClassInfo TSkinCollection::ClassInfo_{"TSkinCollection", &TCollection::ClassInfo_,
                                             &TPersistent::Props};
const PropTable TSkinStore::Props{&TComponent::Props,
                                  {Prop::Obj("Store", &TSkinStore::Store, &TSkinStore::SetStore)}};
const TClassInfo TSkinStore::ClassInfo_{"TSkinStore", &TComponent::ClassInfo_, &TSkinStore::Props};

// ---- Items

TSkinCollectionItem::TSkinCollectionItem(TCollection* collection)
    : TCollectionItem(collection), FName("SkinItem" + std::to_string(ID())) {}

void TSkinCollectionItem::SetName(const std::string& value) {
    if (value == FName) return;
    if (TCollection* c = Collection())
        for (int i = 0; i < c->Count(); ++i) {
            auto* other = dynamic_cast<TSkinCollectionItem*>(c->Items(i));
            if (other && other != this && other->FName == value)
                throw EStoreError("The name " + value + " is already used.");
        }
    FName = value;
}

void TSkinCollectionItem::Assign(const TPersistent& source) {
    auto* item = dynamic_cast<const TSkinCollectionItem*>(&source);
    if (!item) {
        TCollectionItem::Assign(source);
        return;
    }
    if (item == this) return;
    FName = item->FName;
    FData.Clear();
    item->CopyData(FData);
    FData.SetPosition(0);
}

void TSkinCollectionItem::CopyData(TStream& dest) const {
    const std::vector<std::uint8_t>& bytes = FData.Bytes();
    if (!bytes.empty()) dest.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void TSkinCollectionItem::LoadFromStream(TStream& source) {
    TMemoryStream fresh;
    fresh.LoadFromStream(source);  // a failing read leaves the stored package as it was
    FData = std::move(fresh);
    FData.SetPosition(0);
}

void TSkinCollectionItem::LoadFromFile(const std::filesystem::path& fileName) {
    TMemoryStream fresh;
    fresh.LoadFromFile(fileName);  // raises the open or read error; the stored package stays
    FData = std::move(fresh);
    FData.SetPosition(0);
}

void TSkinCollectionItem::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "DataStream",
        [this](TStream& s) {
            s.SetPosition(0);
            LoadFromStream(s);
        },
        [this](TStream& s) { CopyData(s); }, true);
}

// ---- The collection and the store

TSkinCollection::TSkinCollection(TPersistent* owner)
    : TCollection(TSkinCollectionItem::ClassInfo_, TCollection::FactoryOf<TSkinCollectionItem>(), owner) {}

int TSkinCollection::IndexOf(const std::string& name) const {
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Name() == name) return i;
    return -1;
}

TSkinStore::TSkinStore(TComponent* owner)
    : TComponent(owner), FStore(std::make_unique<TSkinCollection>(this)) {}

TSkinStore::~TSkinStore() = default;

void TSkinStore::SetStore(TSkinCollection* value) {
    if (value && value != FStore.get()) FStore->Assign(*value);
}
