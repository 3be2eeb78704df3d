#include "store/leakreport.h"

#include <algorithm>
#include <array>

#include "engine/positions.h"

namespace torvel::store {

namespace {

constexpr std::size_t kCostliestCount = 10;

struct Band {
    const char* name;
    double upTo;  // exclusive
};
constexpr std::array<Band, 5> kStackBands{
    {{"0-5", 5.0}, {"5-8", 8.0}, {"8-12", 12.0}, {"12-15", 15.0}, {"15+", 1e300}}};

void count(LeakGroup& group, const DecisionRecord& r) {
    ++group.decisions;
    if (!r.correct) {
        ++group.mistakes;
        group.equityLost += r.equityLost();
    }
}

LeakGroup& groupNamed(std::vector<LeakGroup>& groups, const std::string& name) {
    for (auto& g : groups)
        if (g.name == name)
            return g;
    groups.push_back({name, 0, 0, 0.0});
    return groups.back();
}

nlohmann::json groupsJson(const std::vector<LeakGroup>& groups) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& g : groups)
        list.push_back(
            {{"name", g.name}, {"decisions", g.decisions}, {"mistakes", g.mistakes}, {"equityLost", g.equityLost}});
    return list;
}

}  // namespace

std::string stackBand(double bigBlinds) {
    for (const Band& band : kStackBands)
        if (bigBlinds < band.upTo)
            return band.name;
    return kStackBands.back().name;
}

LeakReport leakReport(const std::vector<DecisionRecord>& decisions) {
    LeakReport report;
    report.total.name = "all";
    for (const Band& band : kStackBands)
        report.byStack.push_back({band.name, 0, 0, 0.0});
    // Acting order from the first seat after the big blind.
    for (int k = kSeatCount; k >= 1; --k)
        report.byPosition.push_back({positionName(k), 0, 0, 0.0});
    report.byMistake = {{"push", 0, 0, 0.0}, {"fold", 0, 0, 0.0}};

    std::vector<const DecisionRecord*> mistakes;
    for (const DecisionRecord& r : decisions) {
        count(report.total, r);
        count(groupNamed(report.byPosition, r.position.empty() ? "unknown" : r.position), r);
        count(groupNamed(report.byStack, stackBand(r.stackBigBlinds)), r);
        if (!r.correct) {
            // The verdict says what he should have done; the mistake is the other.
            LeakGroup& kind = report.byMistake[r.decision == kDecisionPush ? 1 : 0];
            ++kind.decisions;
            ++kind.mistakes;
            kind.equityLost += r.equityLost();
            mistakes.push_back(&r);
        }
    }
    std::erase_if(report.byPosition, [](const LeakGroup& g) { return g.decisions == 0; });

    const std::size_t kept = std::min(kCostliestCount, mistakes.size());
    std::partial_sort(mistakes.begin(), mistakes.begin() + static_cast<std::ptrdiff_t>(kept), mistakes.end(),
                      [](const DecisionRecord* a, const DecisionRecord* b) { return a->equityLost() > b->equityLost(); });
    for (std::size_t i = 0; i < kept; ++i)
        report.costliest.push_back(*mistakes[i]);
    return report;
}

nlohmann::json leakReportJson(const LeakReport& report) {
    nlohmann::json out;
    out["decisions"] = report.total.decisions;
    out["mistakes"] = report.total.mistakes;
    out["equityLost"] = report.total.equityLost;
    out["byPosition"] = groupsJson(report.byPosition);
    out["byStack"] = groupsJson(report.byStack);
    out["byMistake"] = groupsJson(report.byMistake);
    nlohmann::json costliest = nlohmann::json::array();
    for (const DecisionRecord& r : report.costliest) {
        nlohmann::json situation = nlohmann::json::parse(r.situation, nullptr, false);
        if (situation.is_discarded())
            situation = nullptr;
        costliest.push_back({{"site", r.site},
                             {"tournament", r.tournamentId},
                             {"handId", r.handId},
                             {"hero", r.hero},
                             {"playedAt", r.playedAt},
                             {"position", r.position},
                             {"hand", r.hand},
                             {"stackBigBlinds", r.stackBigBlinds},
                             {"heroAction", r.heroAction},
                             {"decision", r.decision},
                             {"evPush", r.evPush},
                             {"evFold", r.evFold},
                             {"equityLost", r.equityLost()},
                             {"situation", situation}});
    }
    out["costliest"] = costliest;
    return out;
}

}  // namespace torvel::store
