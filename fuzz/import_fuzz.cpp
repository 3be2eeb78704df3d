// Hand-history bytes of any kind through the decoding, the format choice,
// every grammar and the export of whatever decisions come out.
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/gamestate.h"
#include "import/handexport.h"
#include "import/handlistrules.h"
#include "import/historyimport.h"
#include "import/historyparser.h"
#include "import/linereader.h"

namespace {

using namespace torvel;

void checkDecision(std::vector<std::unique_ptr<GameState>>& kept, std::unique_ptr<GameState> g) {
    // What a receiver relies on: a seated hero with cards and a button.
    if (!GameState::validSeat(g->heroSeat) || g->seats[static_cast<std::size_t>(g->heroSeat)].status != kSeatHero ||
        !GameState::validSeat(g->buttonSeat) || g->playerCount < 2 || g->bigBlind <= 0)
        __builtin_trap();
    for (const auto& s : g->seats)
        if (s.stack < 0 || s.bet < 0)
            __builtin_trap();
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

    std::istringstream whole(bytes);
    import::importHistory(whole, nullptr, callbacks);

    // Every grammar, whatever the format choice would have said.
    for (const auto format : import::kAllHistoryFormats) {
        std::istringstream in(bytes);
        import::LineReader reader(in);
        import::HistoryParser parser(format, nullptr, callbacks);
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
