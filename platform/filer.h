// Binary properties: values a persistent object streams itself, declared in DefineProperties.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/object.h"
#include "platform/stream.h"
#include "platform/string_list.h"

// What DefineProperties talks to. readData gets a stream holding exactly the stored bytes, at position
// 0; writeData writes the value to the stream it is given; hasData tells whether there is a value to
// store at all.
class TFiler {
public:
    using TStreamProc = std::function<void(TStream&)>;
    virtual ~TFiler() = default;
    virtual void DefineBinaryProperty(std::string_view name, TStreamProc readData, TStreamProc writeData,
                                      bool hasData) = 0;
};

// Collects the binary properties an object declares. The form reader hands a stored value to its
// reader with Read; writers and tests take a value with Write.
class TBinaryProperties : public TFiler {
public:
    struct Entry {
        std::string Name;
        TStreamProc ReadData;
        TStreamProc WriteData;
        bool HasData = false;
    };

    explicit TBinaryProperties(TPersistent& instance) { instance.DefineProperties(*this); }

    void DefineBinaryProperty(std::string_view name, TStreamProc readData, TStreamProc writeData,
                              bool hasData) override {
        entries_.push_back({std::string(name), std::move(readData), std::move(writeData), hasData});
    }

    const std::vector<Entry>& Entries() const { return entries_; }
    const Entry* Find(std::string_view name) const {
        for (const Entry& e : entries_)
            if (SameTextAscii(e.Name, name)) return &e;
        return nullptr;
    }
    // False when the object declares no such property (or no reader for it).
    bool Read(std::string_view name, std::vector<std::uint8_t> bytes) const {
        const Entry* e = Find(name);
        if (!e || !e->ReadData) return false;
        TMemoryStream stream(std::move(bytes));
        e->ReadData(stream);
        return true;
    }
    // The bytes the property's writer produces; empty when it is missing.
    std::vector<std::uint8_t> Write(std::string_view name) const {
        const Entry* e = Find(name);
        if (!e || !e->WriteData) return {};
        TMemoryStream stream;
        e->WriteData(stream);
        return stream.TakeBytes();
    }

private:
    std::vector<Entry> entries_;
};
