#include "cli/dealcommand.h"

#include <ostream>
#include <random>

#include "cli/situationjson.h"
#include "cli/tableloading.h"
#include "engine/plainowner.h"
#include "engine/situationgenerator.h"

namespace torvel::cli {

namespace {

constexpr const char* kDealUsage =
    "usage: torvel-cli deal [--seed N] [--count K] [--players random|2..10]\n"
    "                       [--position all|small-blind|big-blind|non-blind|button]\n"
    "                       [--room pokerstars|fulltilt|partypoker] [--level all|LEVEL]\n"
    "\n"
    "Deals trainer spots the way the trainer does (stacks 4 to 14 big blinds,\n"
    "hands from the top 40 %, the \"Tight\" calling ranges) and prints each as one\n"
    "line of situation JSON that `torvel-cli analyze -` reads. LEVEL is the\n"
    "room's level text (\"100/200/25\") or its number from 0. The same seed deals\n"
    "the same spots.\n";

bool parseWhole(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty())
        return false;
    std::size_t used = 0;
    try {
        value = std::stoll(text, &used);
    } catch (...) {
        return false;
    }
    return used == text.size() && value >= low && value <= high;
}

}  // namespace

int dealCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const std::string& dataDirectory) {
    TrainerSettings settings;
    unsigned seed = std::random_device{}();
    long long count = 1;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--help" || option == "-h") {
            out << kDealUsage;
            return 0;
        }
        if (i + 1 >= args.size()) {
            err << "torvel-cli deal: " << option << " needs a value (see torvel-cli deal --help)\n";
            return 2;
        }
        const std::string& value = args[++i];
        long long number = 0;
        if (option == "--seed") {
            if (!parseWhole(value, 0, 4294967295LL, number)) {
                err << "torvel-cli deal: --seed takes a whole number from 0 to 4294967295\n";
                return 2;
            }
            seed = static_cast<unsigned>(number);
        } else if (option == "--count") {
            if (!parseWhole(value, 1, 100000, count)) {
                err << "torvel-cli deal: --count takes a number from 1 to 100000\n";
                return 2;
            }
        } else if (option == "--players") {
            if (value == "random") {
                settings.players = 0;
            } else if (parseWhole(value, 2, 10, number)) {
                settings.players = static_cast<int>(number);
            } else {
                err << "torvel-cli deal: --players takes random or 2..10\n";
                return 2;
            }
        } else if (option == "--position") {
            static const char* const names[] = {"all", "small-blind", "big-blind", "non-blind", "button"};
            int found = -1;
            for (int p = 0; p < 5; ++p)
                if (value == names[p])
                    found = p;
            if (found < 0) {
                err << "torvel-cli deal: --position takes all, small-blind, big-blind, non-blind or button\n";
                return 2;
            }
            settings.position = static_cast<TrainerPosition>(found);
        } else if (option == "--room") {
            if (value == "pokerstars")
                settings.room = TrainerRoom::PokerStars;
            else if (value == "fulltilt")
                settings.room = TrainerRoom::FullTilt;
            else if (value == "partypoker")
                settings.room = TrainerRoom::PartyPoker;
            else {
                err << "torvel-cli deal: --room takes pokerstars, fulltilt or partypoker\n";
                return 2;
            }
        } else if (option == "--level") {
            if (value == "all") {
                settings.level = -1;
            } else {
                settings.level = -2;
                const auto& levels = roomLevels(settings.room);
                for (std::size_t l = 0; l < levels.size(); ++l)
                    if (blindLevelText(levels[l]) == value)
                        settings.level = static_cast<int>(l);
                if (settings.level == -2 && parseWhole(value, 0, static_cast<long long>(levels.size()) - 1, number))
                    settings.level = static_cast<int>(number);
                if (settings.level == -2) {
                    err << "torvel-cli deal: no level " << value << " in that room (give --room first)\n";
                    return 2;
                }
            }
        } else {
            err << "torvel-cli deal: unknown option " << option << " (see torvel-cli deal --help)\n";
            return 2;
        }
    }

    PlainOwner owner;
    if (!loadTablesInto(owner, dataDirectory, err))
        return 2;
    // The trainer's default band: the strongest 68 classes (40 %).
    SeededRandomSource random(seed);
    for (long long n = 0; n < count; ++n) {
        GameState g(&owner);
        generateSituation(g, settings, random);
        SituationRequest request;
        out << situationJson(g, request).dump() << "\n";
    }
    return 0;
}

}  // namespace torvel::cli
