#pragma once
// The hand database: graded decisions kept in an SQLite file (hands.sqlite)
// so they need not be imported again. A decision is stored once per site,
// hand and hero; every import is one transaction, so a failure leaves the
// file as it was. The schema carries its version and is migrated forward
// on opening, never dropped.

#include <string>
#include <vector>

#include "store/decisionrecord.h"

struct sqlite3;

namespace torvel::store {

inline constexpr const char* kDefaultDatabase = "hands.sqlite";

struct StoreStatus {
    bool ok = true;
    std::string reason;  // one line, naming the file
    explicit operator bool() const { return ok; }
};

struct DecisionFilter {
    std::string tournamentId;  // empty: all
    std::string since;         // "YYYY-MM-DD" or a longer time stamp; empty: no bound
    std::string until;         // "YYYY-MM-DD", that day included; empty: no bound
};

class HandStore {
public:
    static constexpr int kSchemaVersion = 2;
    enum class OpenMode { CreateIfMissing, MustExist };

    HandStore() = default;
    ~HandStore();
    HandStore(const HandStore&) = delete;
    HandStore& operator=(const HandStore&) = delete;

    // Opens (or creates) the file and brings its schema up to date. Refuses
    // a file that is not a hand database or comes from a newer version,
    // without writing to it.
    StoreStatus open(const std::string& path, OpenMode mode = OpenMode::CreateIfMissing);
    bool isOpen() const { return db_ != nullptr; }

    // Stores the records in one transaction; a record whose site, hand and
    // hero are stored already is left out. On failure nothing is stored.
    StoreStatus add(const std::vector<DecisionRecord>& records, int* added = nullptr);
    StoreStatus load(const DecisionFilter& filter, std::vector<DecisionRecord>& out) const;
    StoreStatus clear();

private:
    StoreStatus failure(const std::string& what) const;
    StoreStatus migrate(int fromVersion);
    void close();

    sqlite3* db_ = nullptr;
    std::string path_;
};

// Reads the decisions of an existing database that the filter lets through.
StoreStatus readStored(const std::string& path, const DecisionFilter& filter, std::vector<DecisionRecord>& out);

// A date given on the command line: "YYYY-MM-DD" with a real month and day.
bool isDate(const std::string& text);

}  // namespace torvel::store
