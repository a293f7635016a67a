// Components: the owner chain, names and tags, state flags, loading and notifications.
#pragma once

#include <any>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/object.h"
#include "platform/props.h"

class EComponentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TOperation { opInsert, opRemove };

// Component state flags (a bit set).
using TComponentState = unsigned;
inline constexpr TComponentState csLoading = 0x01;  // created by the form reader, Loaded not yet called
inline constexpr TComponentState csReading = 0x02;  // its properties are being read
inline constexpr TComponentState csWriting = 0x04;
inline constexpr TComponentState csDestroying = 0x08;  // its destructor has begun
inline constexpr TComponentState csDesigning = 0x10;   // it is being designed (never at run time)

// A component belongs to its owner: the owner frees it, and a component freed on its own leaves its
// owner's list. The owned list keeps creation order.
//
// Destruction: ~TComponent sets csDestroying, tells the components that asked for FreeNotification,
// frees the owned components (last first) and leaves its owner. A descendant whose owned components
// need the descendant's own parts during their teardown (a form whose controls reach back to it)
// calls Destroying() and DestroyComponents() at the start of its own destructor.
class TComponent : public TPersistent {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;  // "Name", "Tag"
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    TPersistent* GetOwner() const override { return owner_; }
    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const { return components_.at(std::size_t(index)); }
    const std::vector<TComponent*>& ComponentList() const { return components_; }
    // The position in the owner's list, -1 without an owner.
    int ComponentIndex() const;
    // An owned component by name (ASCII case-insensitive), nullptr when none; an empty name finds nothing.
    TComponent* FindComponent(std::string_view name) const;

    // Takes component into this owner's list (out of its previous owner's) and notifies both ways.
    void InsertComponent(TComponent* component);
    // Takes component out of this owner's list without freeing it; it then has no owner.
    void RemoveComponent(TComponent* component);
    // Frees every owned component, last first.
    void DestroyComponents();
    // Sets csDestroying on this component and all it owns.
    virtual void Destroying();

    const std::string& Name() const { return name_; }
    // A name is empty or an identifier (letter or '_', then letters, digits, '_') unique among the
    // owner's components; otherwise EComponentError.
    void SetName(std::string_view name);
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }

    TComponentState ComponentState() const { return state_; }
    bool HasState(TComponentState flags) const { return (state_ & flags) != 0; }
    // For the form reader and designers: switches flags on or off on this component alone.
    void SetComponentState(TComponentState flags, bool on);
    // csDesigning on this component and all it owns.
    void SetDesigning(bool value);

    // Called once the whole form description this component came from has been read and every
    // reference in it resolved. Clears csLoading; overrides call the inherited one first.
    virtual void Loaded();

    // Told when a component is inserted into or removed from this component's owner (and this
    // component itself), or when a component this one asked FreeNotification of is freed.
    virtual void Notification(TComponent* component, TOperation operation);
    // Asks to be told (Notification opRemove) when component is freed; mutual, undone by either side.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // The form reader calls SetParentComponent on an object nested in another object's block, with that
    // object (the root for a top-level object), before the nested object's properties are read. The
    // default ignores it; controls make it their Parent.
    virtual void SetParentComponent(TComponent* parent);
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool HasParent() const { return false; }

    // Event handlers a root (a form) offers to its form description, by name (ASCII case-insensitive).
    // E is the event's exact std::function type: RegisterHandler("B2Click", [this](TObject* s) {...})
    // binds to TNotifyEvent properties; RegisterHandler<TOtherEvent>(...) to others.
    template <class E = TNotifyEvent, class F>
    void RegisterHandler(std::string_view name, F&& handler) {
        RegisterHandlerValue(name, std::any(E(std::forward<F>(handler))));
    }
    void RegisterHandlerValue(std::string_view name, std::any handler);
    // nullptr when there is no such handler.
    const std::any* FindHandler(std::string_view name) const;

private:
    void SetNameFromProperty(const std::string& name);
    void NotifyAll(TComponent* component, TOperation operation);  // this and every owned component

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    std::string name_;
    std::intptr_t tag_ = 0;
    TComponentState state_ = 0;
    std::map<std::string, std::any, std::less<>> handlers_;  // keys lower-cased
};
