#pragma once
// Equilibria solved in this session, by table, so that a table is solved
// once whoever asks first (the "Nash Ranges" window, "Apply", an import).

#include <deque>

#include "engine/nashsolver.h"

class NashStore {
public:
    // The solved result of the table, or null.
    const torvel::NashResult* find(const torvel::NashTable& table) const {
        for (const Entry& e : entries_)
            if (same(e.table, table))
                return &e.result;
        return nullptr;
    }
    // Keeps a finished (not cancelled) result; the oldest go first.
    const torvel::NashResult* keep(const torvel::NashTable& table, torvel::NashResult result) {
        if (!result.error.empty() || result.canceled)
            return nullptr;
        if (const torvel::NashResult* known = find(table))
            return known;
        if (entries_.size() >= kKept)
            entries_.pop_front();
        entries_.push_back({table, std::move(result)});
        return &entries_.back().result;
    }
    static bool same(const torvel::NashTable& a, const torvel::NashTable& b) {
        return a.stacks == b.stacks && a.smallBlind == b.smallBlind && a.bigBlind == b.bigBlind && a.ante == b.ante &&
               a.payouts == b.payouts;
    }

private:
    static constexpr std::size_t kKept = 64;
    struct Entry {
        torvel::NashTable table;
        torvel::NashResult result;
    };
    std::deque<Entry> entries_;
};
