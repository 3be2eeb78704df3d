#include "cli/importcommand.h"

#include <filesystem>
#include <memory>
#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/situationjson.h"
#include "cli/tableloading.h"
#include "engine/cards.h"
#include "engine/computedriver.h"
#include "engine/nashranges.h"
#include "engine/plainowner.h"
#include "import/handexport.h"
#include "import/handlistrules.h"
#include "import/historyimport.h"
#include "store/decisionrecord.h"
#include "store/handstore.h"

namespace torvel::cli {

namespace {

constexpr const char* kImportUsage =
    "usage: torvel-cli import [--profile tight|medium|loose|nash] [--export FILE] [--db FILE] [--all] FILE...\n"
    "\n"
    "Reads hand histories of PokerStars, Full Tilt Poker and PartyPoker, finds\n"
    "the hero's short-stack preflop decisions, gives the opponents the calling\n"
    "ranges of the profile (default tight), grades each decision against the\n"
    "hero's real action and prints it as one JSON line: handId, file, hand,\n"
    "heroAction, decision, evPush, evFold, pushRangeText, correct. After each\n"
    "file a line with its summary. Payouts are 50/30/20 %.\n"
    "With --profile nash the ranges come from the equilibrium of each table; a\n"
    "decision it does not model (limpers, a raise that is not all-in) keeps the\n"
    "tight ranges, and its line says \"profile\": \"tight\".\n"
    "\n"
    "  --export FILE   also write the graded decisions as a PartyPoker text\n"
    "                  hand history to FILE\n"
    "  --db FILE       also keep the graded decisions in the hand database FILE\n"
    "                  (SQLite, created when missing; torvel-cli report reads it).\n"
    "                  A decision already kept (same site, hand and hero) is not\n"
    "                  kept twice; each file is stored whole or not at all, and\n"
    "                  its summary tells how many decisions were new (stored)\n"
    "  --all           also print a line for every hand that was not graded,\n"
    "                  with the reason\n";

using nlohmann::json;


struct ImportOptions {
    int profile = 0;
    std::string exportPath;
    std::string databasePath;
    bool all = false;
    std::vector<std::string> files;
};

// Empty on success, else the complaint.
std::string readOptions(const std::vector<std::string>& args, ImportOptions& options) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--all") {
            options.all = true;
        } else if (a == "--profile" || a == "--export" || a == "--db") {
            if (i + 1 >= args.size())
                return a + " needs a value";
            const std::string& value = args[++i];
            if (a == "--export") {
                options.exportPath = value;
            } else if (a == "--db") {
                options.databasePath = value;
            } else {
                options.profile = value == "nash" ? kNashProfile : profileFromJson(json(value));
                if (options.profile < 0)
                    return "unknown profile " + value + " (tight, medium, loose or nash)";
            }
        } else if (a.size() > 1 && a[0] == '-' && a != "--") {
            return "unknown option " + a;
        } else {
            options.files.push_back(a);
        }
    }
    if (options.files.empty())
        return "needs at least one FILE";
    // The export must never replace a hand history it reads.
    if (!options.exportPath.empty())
        return import::exportRefusal(options.exportPath, options.files, 1);
    return {};
}

json decisionJson(const GameState& g, const std::string& file, const DriverResult& result) {
    json line;
    line["handId"] = g.handId;
    line["file"] = file;
    line["status"] = import::statusName(import::HandStatus::Relevant);
    if (GameState::validSeat(g.heroSeat)) {
        const SeatState& hero = g.seats[static_cast<std::size_t>(g.heroSeat)];
        line["hand"] = handClassName(hero.handLow, hero.handHigh);
    }
    line["heroAction"] = g.heroAction;
    line["decision"] = g.decision;
    line["evPush"] = static_cast<double>(g.evPush);
    line["evFold"] = static_cast<double>(g.evFold);
    line["pushRangeText"] = std::string(g.pushRangeText);
    line["correct"] = !result.refused && import::decisionIsRight(g);
    if (result.refused)
        line["refused"] = result.refusal;
    return line;
}

}  // namespace

int importCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const std::string& dataDirectory) {
    if (args.size() == 2 && (args[1] == "--help" || args[1] == "-h")) {
        out << kImportUsage;
        return 0;
    }
    ImportOptions options;
    if (const std::string complaint = readOptions(args, options); !complaint.empty()) {
        err << "torvel-cli import: " << complaint << " (see torvel-cli import --help)\n";
        return 2;
    }

    PlainOwner owner;
    if (!loadTablesInto(owner, dataDirectory, err))
        return 2;

    store::HandStore database;
    if (!options.databasePath.empty())
        if (const auto opened = database.open(options.databasePath); !opened) {
            err << "torvel-cli import: " << opened.reason << "\n";
            return 2;
        }
    std::vector<store::DecisionRecord> toStore;

    int status = 0;
    std::vector<std::unique_ptr<GameState>> graded;
    SilentProgress progress;
    for (const std::string& file : options.files) {
        import::ImportCallbacks callbacks;
        callbacks.onDecision = [&](std::unique_ptr<GameState> g) {
            // As the hand list does: ranges of the profile, the analysis with
            // the hero's real action, then the action as the list reads it.
            int profile = options.profile;
            g->assignCallingRanges(profile == kNashProfile ? 0 : profile);
            if (profile == kNashProfile && !assignNashRanges(*g, progress).empty())
                profile = 0;
            const DriverResult result = runComputeDriver(*g, g->heroAction, progress);
            import::normaliseHeroAction(*g);
            json line = decisionJson(*g, file, result);
            if (options.profile == kNashProfile)
                line["profile"] = store::profileName(profile);
            out << line.dump() << "\n";
            if (database.isOpen() && !result.refused)
                toStore.push_back(store::recordFromGraded(*g, profile));
            if (!options.exportPath.empty())
                graded.push_back(std::move(g));
        };
        if (options.all) {
            callbacks.onHand = [&](const import::HandOutcome& hand) {
                if (hand.status == import::HandStatus::Relevant)
                    return;
                json line;
                line["handId"] = hand.handId;
                line["file"] = file;
                line["status"] = import::statusName(hand.status);
                line["reason"] = hand.reason;
                out << line.dump() << "\n";
            };
        }
        const import::ImportSummary summary = import::importHistoryFile(file, &owner, callbacks);
        if (!summary.opened) {
            err << "torvel-cli import: cannot import " << file << ": " << summary.failure << "\n";
            status = 2;
            continue;
        }
        json line;
        line["file"] = file;
        line["handCount"] = summary.handCount;
        line["relevantCount"] = summary.relevantCount;
        if (database.isOpen() && summary.opened) {
            int added = 0;
            if (const auto stored = database.add(toStore, &added); !stored) {
                err << "torvel-cli import: " << file << " was not stored: " << stored.reason << "\n";
                status = 2;
            }
            line["stored"] = added;
        }
        toStore.clear();
        line["summary"] = std::to_string(summary.relevantCount) + " (of " + std::to_string(summary.handCount) +
                          ") relevant hands imported.";
        out << line.dump() << "\n";
    }

    if (!options.exportPath.empty() && graded.empty()) {
        // An empty export would only wipe what the file holds.
        err << "torvel-cli import: " << import::exportRefusal(options.exportPath, {}, 0) << "\n";
    } else if (!options.exportPath.empty()) {
        std::vector<const GameState*> list;
        list.reserve(graded.size());
        for (const auto& g : graded)
            list.push_back(g.get());
        if (const auto written = import::writeFileAtomically(options.exportPath, import::exportText(list));
            !written) {
            err << "torvel-cli import: the export was not written: " << written.reason << "\n";
            status = 2;
        }
    }
    return status;
}

}  // namespace torvel::cli
