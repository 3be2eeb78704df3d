#include "cli/reportcommand.h"

#include <filesystem>
#include <ostream>

#include "store/handstore.h"
#include "store/leakreport.h"

namespace torvel::cli {

namespace {

constexpr const char* kReportUsage =
    "usage: torvel-cli report [--db FILE] [--since DATE] [--until DATE] [--tournament ID]\n"
    "\n"
    "Reads the graded decisions kept by torvel-cli import --db (default\n"
    "hands.sqlite in the working directory) and prints where the mistakes\n"
    "are and what they cost, as one JSON object: decisions, mistakes,\n"
    "equityLost (the sum of |evPush - evFold| over the wrong answers, in\n"
    "percent of a prize pool), the same per position (byPosition), per stack\n"
    "in big blinds (byStack: 0-5, 5-8, 8-12, 12-15, 15+) and per kind of\n"
    "mistake (byMistake: push where folding was right, fold where pushing\n"
    "was), and the ten costliest hands (costliest).\n"
    "\n"
    "  --since DATE      only hands played on or after DATE (YYYY-MM-DD)\n"
    "  --until DATE      only hands played on or before DATE (YYYY-MM-DD)\n"
    "  --tournament ID   only the hands of one tournament\n";

}  // namespace

int reportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const std::string& /*dataDirectory*/) {
    if (args.size() == 2 && (args[1] == "--help" || args[1] == "-h")) {
        out << kReportUsage;
        return 0;
    }
    // The database is the user's, in the working directory, never beside read-only tables.
    std::string databasePath(store::kDefaultDatabase);
    store::DecisionFilter filter;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* target = a == "--db"           ? &databasePath
                              : a == "--since"      ? &filter.since
                              : a == "--until"      ? &filter.until
                              : a == "--tournament" ? &filter.tournamentId
                                                    : nullptr;
        std::string complaint;
        if (!target)
            complaint = "unknown argument " + a;
        else if (i + 1 >= args.size() || args[i + 1].empty())
            complaint = a + " needs a value";
        else
            *target = args[++i];
        if (complaint.empty() && target != &databasePath && target != &filter.tournamentId &&
            !store::isDate(*target))
            complaint = a + " needs a date as YYYY-MM-DD, not " + *target;
        if (!complaint.empty()) {
            err << "torvel-cli report: " << complaint << " (see torvel-cli report --help)\n";
            return 2;
        }
    }

    std::vector<store::DecisionRecord> decisions;
    if (const store::StoreStatus status = store::readStored(databasePath, filter, decisions); !status) {
        err << "torvel-cli report: " << status.reason << "\n";
        return 2;
    }
    out << store::leakReportJson(store::leakReport(decisions)).dump(2) << "\n";
    return 0;
}

}  // namespace torvel::cli
