#pragma once
// An owner without a window: tables loaded from files, payouts set in code,
// errors collected in a list.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "engine/equitytable.h"
#include "engine/handranking.h"
#include "engine/owner.h"

namespace torvel {

struct ReportedError {
    std::string text;
    std::string caption;
};

class PlainOwner : public GameStateOwner {
public:
    PlainOwner();

    // Loads table.res and ranking.res from a directory; stops at the first
    // file that fails.
    LoadResult loadTables(const std::string& directory);

    const EquityTable& equityTable() const override { return table_; }
    const HandRanking& handRanking() const override { return ranking_; }
    double payoutPercent(int place) const override;
    const std::vector<std::string>& nicknames() const override { return nicknames_; }
    int nextInstanceNumber() override { return ++instanceCounter_; }
    void reportError(const std::string& text, const std::string& caption) override;
    // Warnings go to the sink when one is set, else to the errors.
    void reportWarning(const std::string& text) override;
    void setWarningSink(std::function<void(const std::string&)> sink) { warningSink_ = std::move(sink); }

    std::string profileDirectory() const override { return profileDirectory_; }
    void setProfileDirectory(std::string directory) { profileDirectory_ = std::move(directory); }

    EquityTable& mutableEquityTable() { return table_; }
    HandRanking& mutableHandRanking() { return ranking_; }
    void setPayoutPercent(int place, double percent);
    void setPayoutPercents(const std::array<double, 10>& percents) { payouts_ = percents; }
    void setNicknames(std::vector<std::string> names) { nicknames_ = std::move(names); }
    int instanceCounter() const { return instanceCounter_; }
    const std::vector<ReportedError>& errors() const { return errors_; }
    void clearErrors() { errors_.clear(); }

private:
    EquityTable table_;
    HandRanking ranking_;
    std::array<double, 10> payouts_{50, 30, 20, 0, 0, 0, 0, 0, 0, 0};
    std::vector<std::string> nicknames_;
    int instanceCounter_ = 0;
    std::string profileDirectory_ = "data";
    std::vector<ReportedError> errors_;
    std::function<void(const std::string&)> warningSink_;
};

// The nicknames given to simulated players.
const std::vector<std::string>& defaultNicknames();

}  // namespace torvel
