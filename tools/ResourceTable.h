#pragma once
// The data keeper's store of one kind of resource: a table by resource key (ordered,
// case-sensitive, one object per key) and a list of objects kept without a key. The
// store owns both and gives every object back through the kind's release operation.
// Its error lines name the keeper's operations for the kind, "Add" or "Get" followed
// by the operation name.

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/kernel/MessageManager.h"

namespace GameTools {

template <class T>
class ResourceTable {
public:
    using Release = void (*)(T*);

    // The label names the kind in the duplicate line ("Shader User").
    ResourceTable(std::string operationName, std::string label, Release release, std::size_t keepReserve)
        : operationName_(std::move(operationName)), label_(std::move(label)), release_(release) {
        kept_.reserve(keepReserve);
    }
    ~ResourceTable() { ReleaseAll(); }
    ResourceTable(const ResourceTable&) = delete;
    ResourceTable& operator=(const ResourceTable&) = delete;

    // Stores the object under a new key and takes it over. A key already present is
    // logged and the object stays the caller's; null is ignored. False unless stored.
    bool Add(const std::string& key, T* object) {
        if (!object) return false;
        if (!table_.try_emplace(key, object).second) {
            Vantor::MessageManager::Instance()->PrintError("(DataKeeper::Add" + operationName_ + "): " + label_ +
                                                           " \"" + key + "\" is duplicated");
            return false;
        }
        return true;
    }

    // Takes over a non-null object without a key.
    void Keep(T* object) {
        if (object) kept_.push_back(object);
    }

    // Takes over an object just made for a request: kept when keyless, else added, and
    // released at once when its key is taken.
    void Store(const std::string& key, T* object, bool keyless) {
        if (keyless)
            Keep(object);
        else if (!Add(key, object))
            release_(object);
    }

    // The object stored under the key, or the fallback after the missing-key line.
    T* Get(const std::string& key, T* fallback) const {
        const auto found = table_.find(key);
        if (found != table_.end()) return found->second;
        Vantor::MessageManager::Instance()->PrintError("(DataKeeper::Get" + operationName_ + "): There is no \"" +
                                                       key + "\" resource");
        return fallback;
    }

    bool Has(const std::string& key) const { return table_.count(key) != 0; }

    // Gives back every object of the table in key order, then every kept one.
    void ReleaseAll() {
        for (auto& [key, object] : table_) release_(object);
        table_.clear();
        for (T* object : kept_) release_(object);
        kept_.clear();
    }

private:
    std::string operationName_;
    std::string label_;
    Release release_;
    std::map<std::string, T*> table_;
    std::vector<T*> kept_;
};

}  // namespace GameTools
