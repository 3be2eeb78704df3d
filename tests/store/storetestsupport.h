#pragma once
// The scratch data directory of the command-line tests with a hand database in it.

#include <sqlite3.h>

#include <string>

#include "clitestsupport.h"

namespace torvel::testing {

class StoreDir : public CliDataDir {
public:
    std::string database() const { return dir.file("hands.sqlite"); }
    // SQL behind the store's back: the first column of the last row, 0 without a row, -1 on an error.
    long long sql(const std::string& statements) const {
        sqlite3* db = nullptr;
        long long n = 0;
        const auto keep = [](void* to, int, char** row, char**) {
            *static_cast<long long*>(to) = row[0] ? std::stoll(row[0]) : 0;
            return 0;
        };
        if (sqlite3_open(database().c_str(), &db) != SQLITE_OK ||
            sqlite3_exec(db, statements.c_str(), keep, &n, nullptr) != SQLITE_OK)
            n = -1;
        sqlite3_close(db);
        return n;
    }
};

}  // namespace torvel::testing
