#include "engine/icmevaluator.h"

#include <cstring>

namespace torvel {

void CachingIcmEvaluator::evaluate(IcmModel& model) {
    for (const Entry& e : entries_) {
        if (std::memcmp(e.stacks, model.stacks, sizeof e.stacks) != 0 ||
            std::memcmp(e.payouts, model.payouts, sizeof e.payouts) != 0)
            continue;
        std::memcpy(model.placeProbability, e.placeProbability, sizeof e.placeProbability);
        std::memcpy(model.equity, e.equity, sizeof e.equity);
        return;
    }
    ++misses_;
    model.compute();
    if (entries_.size() >= kCapacity)
        entries_.clear();
    Entry e;
    std::memcpy(e.stacks, model.stacks, sizeof e.stacks);
    std::memcpy(e.payouts, model.payouts, sizeof e.payouts);
    std::memcpy(e.placeProbability, model.placeProbability, sizeof e.placeProbability);
    std::memcpy(e.equity, model.equity, sizeof e.equity);
    entries_.push_back(e);
}

}  // namespace torvel
