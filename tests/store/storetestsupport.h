#pragma once
// A scratch working directory with equity tables for the import, and
// torvel-cli run inside it.

#include <sqlite3.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "engine/plainowner.h"
#include "synthetictables.h"
#include "testfiles.h"

namespace torvel::testing {

inline std::string fixturePath(const std::string& name) { return std::string(TORVEL_IMPORT_FIXTURES) + "/" + name; }

struct CliRun {
    int status = 0;
    std::string out;
    std::string err;
};

class StoreDir {
public:
    StoreDir() {
        PlainOwner owner;
        fillLoadableSyntheticTables(owner, [](int a, int b) { return a == b ? 0.5 : (a < b ? 0.6 : 0.4); });
        dir.write("table.res", owner.equityTable().serialize());
        dir.write("ranking.res", owner.handRanking().serialize());
    }
    CliRun run(const std::vector<std::string>& args) const {
        std::istringstream in;
        std::ostringstream out, err;
        CliRun r;
        r.status = cli::runCli(args, in, out, err, dir.path());
        r.out = out.str();
        r.err = err.str();
        return r;
    }
    std::string database() const { return dir.file("hands.sqlite"); }
    // Runs SQL on the database behind the store's back; false on an error.
    bool sql(const std::string& statements) const {
        sqlite3* db = nullptr;
        bool ok = sqlite3_open(database().c_str(), &db) == SQLITE_OK &&
                  sqlite3_exec(db, statements.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(db);
        return ok;
    }
    long long count(const std::string& query) const {
        sqlite3* db = nullptr;
        sqlite3_stmt* stmt = nullptr;
        long long n = -1;
        if (sqlite3_open(database().c_str(), &db) == SQLITE_OK &&
            sqlite3_prepare_v2(db, query.c_str(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
            n = sqlite3_column_int64(stmt, 0);
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return n;
    }

    ScratchDir dir;
};

}  // namespace torvel::testing
