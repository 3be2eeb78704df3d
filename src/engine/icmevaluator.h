#pragma once
// Ways to evaluate the ICM model of a situation during an analysis. Within
// one "Compute" or one plot the stacks of every showdown repeat for each
// hand probed, so a cache of the results saves nearly all ICM work.

#include <cstddef>
#include <vector>

#include "engine/icmmodel.h"

namespace torvel {

class IcmEvaluator {
public:
    virtual ~IcmEvaluator() = default;
    // Fills the model's results from its stacks and payouts.
    virtual void evaluate(IcmModel& model) = 0;
};

// Remembers the results of the inputs it has seen (stacks and payouts are
// compared exactly), computing the model only for new inputs.
class CachingIcmEvaluator : public IcmEvaluator {
public:
    void evaluate(IcmModel& model) override;
    std::size_t size() const { return entries_.size(); }
    std::size_t misses() const { return misses_; }

private:
    struct Entry {
        long long stacks[10];
        double payouts[10];
        double placeProbability[10][10];
        double equity[10];
    };
    static constexpr std::size_t kCapacity = 512;
    std::vector<Entry> entries_;
    std::size_t misses_ = 0;
};

// Installs an evaluator on a situation for a scope, unless one is there.
class ScopedIcmEvaluator {
public:
    ScopedIcmEvaluator(IcmEvaluator*& slot, IcmEvaluator& evaluator) : slot_(slot), installed_(slot == nullptr) {
        if (installed_)
            slot_ = &evaluator;
    }
    ~ScopedIcmEvaluator() {
        if (installed_)
            slot_ = nullptr;
    }
    ScopedIcmEvaluator(const ScopedIcmEvaluator&) = delete;
    ScopedIcmEvaluator& operator=(const ScopedIcmEvaluator&) = delete;

private:
    IcmEvaluator*& slot_;
    bool installed_;
};

}  // namespace torvel
