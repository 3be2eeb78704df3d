#pragma once
// A registry the test fills, which also counts how often it was asked.

#include <map>
#include <string>
#include <tuple>

#include "settings/clientdirs.h"

namespace torvel::testing {

class FakeRegistry final : public Registry {
public:
    void put(RegistryRoot root, std::string key, std::string value, RegistryValue data) {
        values_[{root, std::move(key), std::move(value)}] = std::move(data);
    }
    void putString(const RegistryEntry& entry, std::string text) {
        put(entry.root, entry.key, entry.value, {RegistryValueType::String, std::move(text) + '\0'});
    }

    std::optional<RegistryValue> read(RegistryRoot root, std::string_view key,
                                      std::string_view value) const override {
        ++reads_;
        const auto found = values_.find({root, std::string(key), std::string(value)});
        if (found == values_.end())
            return std::nullopt;
        return found->second;
    }

    int reads() const { return reads_; }

private:
    std::map<std::tuple<RegistryRoot, std::string, std::string>, RegistryValue> values_;
    mutable int reads_ = 0;
};

}  // namespace torvel::testing
