// Hand-history bytes of any kind through the decoding, the format choice,
// every grammar, the grading of whatever decisions come out (on the
// committed tables, loaded once) and their export.
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <cmath>
#include <cstdlib>

#include "engine/computedriver.h"
#include "engine/gamestate.h"
#include "engine/plainowner.h"
#include "import/handexport.h"
#include "import/handlistrules.h"
#include "import/historyimport.h"
#include "import/historyparser.h"
#include "import/linereader.h"

namespace {

using namespace torvel;

PlainOwner& gradingOwner() {
    static PlainOwner owner = [] {
        PlainOwner loaded;
        if (!loaded.loadTables(TORVEL_DATA_DIR).ok)
            std::abort();
        // No profile files: the defaults, the same on every machine.
        loaded.setProfileDirectory(TORVEL_DATA_DIR "/no-profiles");
        return loaded;
    }();
    return owner;
}

bool isShare(float value) { return std::isfinite(value) && value >= 0.0f && value <= 1.0001f; }

void checkDecision(std::vector<std::unique_ptr<GameState>>& kept, std::unique_ptr<GameState> g) {
    // What a receiver relies on: a seated hero with cards and a button.
    if (!GameState::validSeat(g->heroSeat) || g->seats[static_cast<std::size_t>(g->heroSeat)].status != kSeatHero ||
        !GameState::validSeat(g->buttonSeat) || g->playerCount < 2 || g->bigBlind <= 0)
        __builtin_trap();
    for (const auto& s : g->seats)
        if (s.stack < 0 || s.bet < 0)
            __builtin_trap();
    // Graded as the hand list does it.
    g->assignCallingRanges(0);
    SilentProgress progress;
    const DriverResult result = runComputeDriver(*g, g->heroAction, progress);
    if (!result.refused) {
        if (!isShare(g->evPush) || !isShare(g->evFold) || !isShare(g->foldProbability))
            __builtin_trap();
        for (const auto& s : g->seats)
            if (s.occupied() && !(s.rangeShare >= 0.0f && s.rangeShare <= 1.0f))
                __builtin_trap();
    }
    import::normaliseHeroAction(*g);
    (void)import::decisionIsRight(*g);
    kept.push_back(std::move(g));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::unique_ptr<GameState>> kept;
    import::ImportCallbacks callbacks;
    callbacks.onDecision = [&kept](std::unique_ptr<GameState> g) { checkDecision(kept, std::move(g)); };
    callbacks.onHand = [](const import::HandOutcome& hand) {
        if (hand.status != import::HandStatus::Relevant && hand.reason.empty())
            __builtin_trap();
    };

    gradingOwner().clearErrors();
    std::istringstream whole(bytes);
    import::importHistory(whole, &gradingOwner(), callbacks);

    // Every grammar, whatever the format choice would have said.
    for (const auto format : import::kAllHistoryFormats) {
        std::istringstream in(bytes);
        import::LineReader reader(in);
        import::HistoryParser parser(format, &gradingOwner(), callbacks);
        for (std::string line; reader.next(line);)
            parser.feed(line);
        parser.finish();
        if (parser.relevantCount() > parser.handCount())
            __builtin_trap();
    }

    std::vector<const GameState*> list;
    for (const auto& g : kept)
        list.push_back(g.get());
    (void)import::exportText(list);
    return 0;
}
