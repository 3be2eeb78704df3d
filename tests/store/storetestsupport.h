#pragma once
// A scratch working directory with equity tables for the import, and
// torvel-cli run inside it.

#include <sqlite3.h>

#include <string>

#include "clitestsupport.h"

namespace torvel::testing {

// The scratch data directory also takes the hand database.
class StoreDir : public CliDataDir {
public:
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

};

}  // namespace torvel::testing
