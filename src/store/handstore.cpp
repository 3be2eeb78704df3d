#include "store/handstore.h"

#include <sqlite3.h>

#include <filesystem>

namespace torvel::store {

namespace {

// A prepared statement that finalises itself.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) { rc_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool prepared() const { return rc_ == SQLITE_OK && stmt_ != nullptr; }
    void bind(int index, const std::string& text) {
        sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    void bind(int index, int value) { sqlite3_bind_int(stmt_, index, value); }
    void bind(int index, double value) { sqlite3_bind_double(stmt_, index, value); }
    int step() { return sqlite3_step(stmt_); }
    void reset() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    std::string text(int column) const {
        const auto* p = sqlite3_column_text(stmt_, column);
        return p ? std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                 : std::string();
    }
    int integer(int column) const { return sqlite3_column_int(stmt_, column); }
    sqlite3_int64 rowId(int column) const { return sqlite3_column_int64(stmt_, column); }
    void bindRowId(int index, sqlite3_int64 value) { sqlite3_bind_int64(stmt_, index, value); }
    double real(int column) const { return sqlite3_column_double(stmt_, column); }

private:
    sqlite3_stmt* stmt_ = nullptr;
    int rc_ = SQLITE_ERROR;
};

bool execute(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

// Version 1: the decisions with their situation as graded.
constexpr const char* kSchemaVersion1 =
    "CREATE TABLE decisions ("
    " id INTEGER PRIMARY KEY,"
    " site TEXT NOT NULL, hand_id TEXT NOT NULL, hero TEXT NOT NULL,"
    " tournament TEXT NOT NULL, played_at TEXT NOT NULL, situation TEXT NOT NULL,"
    " hero_action INTEGER NOT NULL, verdict INTEGER NOT NULL,"
    " ev_push REAL NOT NULL, ev_fold REAL NOT NULL, profile TEXT NOT NULL,"
    " UNIQUE (site, hand_id, hero));";

// Version 2: what the leak report groups by, read from the situation, and
// the indexes of its filters.
constexpr const char* kSchemaVersion2 =
    "ALTER TABLE decisions ADD COLUMN position TEXT NOT NULL DEFAULT '';"
    "ALTER TABLE decisions ADD COLUMN hand TEXT NOT NULL DEFAULT '';"
    "ALTER TABLE decisions ADD COLUMN stack_bb REAL NOT NULL DEFAULT 0;"
    "ALTER TABLE decisions ADD COLUMN correct INTEGER NOT NULL DEFAULT 0;"
    "CREATE INDEX decisions_played_at ON decisions (played_at);"
    "CREATE INDEX decisions_tournament ON decisions (tournament, played_at);";

constexpr const char* kSelectColumns =
    "SELECT site, tournament, hand_id, hero, played_at, situation, hero_action, verdict, ev_push, ev_fold,"
    " profile, position, hand, stack_bb, correct FROM decisions";

}  // namespace

HandStore::~HandStore() { close(); }

void HandStore::close() {
    if (db_)
        sqlite3_close(db_);
    db_ = nullptr;
}

StoreStatus HandStore::failure(const std::string& what) const {
    return {false, path_ + ": " + what + (db_ ? std::string(" (") + sqlite3_errmsg(db_) + ")" : std::string())};
}

StoreStatus HandStore::open(const std::string& path, OpenMode mode) {
    close();
    path_ = path;
    std::error_code ignored;
    if (mode == OpenMode::MustExist && !std::filesystem::exists(path, ignored))
        return {false, path + ": no such hand database"};
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (mode == OpenMode::CreateIfMissing)
        flags |= SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        StoreStatus status = failure("cannot open the hand database");
        close();
        return status;
    }
    sqlite3_busy_timeout(db_, 2000);

    int version = -1;
    int tables = 0;
    {
        Statement read(db_, "PRAGMA user_version");
        if (read.prepared() && read.step() == SQLITE_ROW)
            version = read.integer(0);
        Statement count(db_, "SELECT count(*) FROM sqlite_master WHERE type = 'table'");
        if (count.prepared() && count.step() == SQLITE_ROW)
            tables = count.integer(0);
        else
            version = -1;
    }
    StoreStatus status;
    if (version < 0)
        status = failure(sqlite3_errcode(db_) == SQLITE_NOTADB ? "not a hand database"
                                                               : "cannot read the hand database");
    else if (version == 0 && tables > 0)
        status = {false, path + ": not a hand database (an SQLite file of another program)"};
    else if (version > kSchemaVersion)
        status = {false, path + ": made by a newer version of this program (schema " + std::to_string(version) + ")"};
    else if (version < kSchemaVersion)
        status = migrate(version);
    if (!status)
        close();
    return status;
}

StoreStatus HandStore::migrate(int fromVersion) {
    if (!execute(db_, "BEGIN IMMEDIATE"))
        return failure("cannot update the hand database");
    bool ok = true;
    if (fromVersion < 1)
        ok = execute(db_, kSchemaVersion1);
    if (ok && fromVersion < 2) {
        ok = execute(db_, kSchemaVersion2);
        // Rows of version 1 get what the report needs from their situation.
        Statement select(db_, "SELECT id, situation, hero_action, verdict FROM decisions");
        Statement update(db_, "UPDATE decisions SET position = ?1, hand = ?2, stack_bb = ?3, correct = ?4 WHERE id = ?5");
        ok = ok && select.prepared() && update.prepared();
        // Read first, then write: no row changes under a running select.
        std::vector<std::pair<sqlite3_int64, DecisionRecord>> rows;
        int rc = SQLITE_DONE;
        while (ok && (rc = select.step()) == SQLITE_ROW) {
            DecisionRecord r;
            r.situation = select.text(1);
            r.heroAction = select.integer(2);
            r.decision = select.integer(3);
            deriveFromSituation(r);
            rows.emplace_back(select.rowId(0), std::move(r));
        }
        for (std::size_t i = 0; ok && rc == SQLITE_DONE && i < rows.size(); ++i) {
            const DecisionRecord& r = rows[i].second;
            update.bind(1, r.position);
            update.bind(2, r.hand);
            update.bind(3, r.stackBigBlinds);
            update.bind(4, r.correct ? 1 : 0);
            update.bindRowId(5, rows[i].first);
            ok = update.step() == SQLITE_DONE;
            update.reset();
        }
        ok = ok && rc == SQLITE_DONE;
    }
    ok = ok && execute(db_, ("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
    if (ok && execute(db_, "COMMIT"))
        return {};
    StoreStatus status = failure("cannot update the hand database to schema " + std::to_string(kSchemaVersion));
    execute(db_, "ROLLBACK");
    return status;
}

StoreStatus HandStore::add(const std::vector<DecisionRecord>& records, int* added) {
    if (added)
        *added = 0;
    if (!db_)
        return {false, path_ + ": the hand database is not open"};
    if (!execute(db_, "BEGIN IMMEDIATE"))
        return failure("cannot write to the hand database");
    Statement insert(db_,
                     "INSERT OR IGNORE INTO decisions (site, tournament, hand_id, hero, played_at, situation,"
                     " hero_action, verdict, ev_push, ev_fold, profile, position, hand, stack_bb, correct)"
                     " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15)");
    bool ok = insert.prepared();
    int stored = 0;
    for (std::size_t i = 0; ok && i < records.size(); ++i) {
        const DecisionRecord& r = records[i];
        insert.bind(1, r.site);
        insert.bind(2, r.tournamentId);
        insert.bind(3, r.handId);
        insert.bind(4, r.hero);
        insert.bind(5, r.playedAt);
        insert.bind(6, r.situation);
        insert.bind(7, r.heroAction);
        insert.bind(8, r.decision);
        insert.bind(9, r.evPush);
        insert.bind(10, r.evFold);
        insert.bind(11, r.profile);
        insert.bind(12, r.position);
        insert.bind(13, r.hand);
        insert.bind(14, r.stackBigBlinds);
        insert.bind(15, r.correct ? 1 : 0);
        ok = insert.step() == SQLITE_DONE;
        stored += ok ? sqlite3_changes(db_) : 0;
        insert.reset();
    }
    if (ok && execute(db_, "COMMIT")) {
        if (added)
            *added = stored;
        return {};
    }
    StoreStatus status = failure("the decisions were not stored, the database is unchanged");
    execute(db_, "ROLLBACK");
    return status;
}

StoreStatus HandStore::load(const DecisionFilter& filter, std::vector<DecisionRecord>& out) const {
    out.clear();
    if (!db_)
        return {false, path_ + ": the hand database is not open"};
    const std::string sql = std::string(kSelectColumns) +
                            " WHERE (?1 = '' OR tournament = ?1) AND (?2 = '' OR played_at >= ?2)"
                            " AND (?3 = '' OR substr(played_at, 1, 10) <= ?3) ORDER BY played_at, site, hand_id";
    Statement select(db_, sql.c_str());
    if (!select.prepared())
        return failure("cannot read the hand database");
    select.bind(1, filter.tournamentId);
    select.bind(2, filter.since);
    select.bind(3, filter.until);
    int rc = SQLITE_DONE;
    while ((rc = select.step()) == SQLITE_ROW) {
        DecisionRecord r;
        r.site = select.text(0);
        r.tournamentId = select.text(1);
        r.handId = select.text(2);
        r.hero = select.text(3);
        r.playedAt = select.text(4);
        r.situation = select.text(5);
        r.heroAction = select.integer(6);
        r.decision = select.integer(7);
        r.evPush = select.real(8);
        r.evFold = select.real(9);
        r.profile = select.text(10);
        r.position = select.text(11);
        r.hand = select.text(12);
        r.stackBigBlinds = select.real(13);
        r.correct = select.integer(14) != 0;
        out.push_back(std::move(r));
    }
    if (rc != SQLITE_DONE) {
        out.clear();
        return failure("cannot read the hand database");
    }
    return {};
}

StoreStatus HandStore::clear() {
    if (!db_)
        return {false, path_ + ": the hand database is not open"};
    return execute(db_, "DELETE FROM decisions") ? StoreStatus{} : failure("cannot empty the hand database");
}

bool isDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
        if (text[i] < '0' || text[i] > '9')
            return false;
    const int month = std::stoi(text.substr(5, 2));
    const int day = std::stoi(text.substr(8, 2));
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

StoreStatus readStored(const std::string& path, const DecisionFilter& filter, std::vector<DecisionRecord>& out) {
    HandStore database;
    StoreStatus status = database.open(path, HandStore::OpenMode::MustExist);
    if (status)
        status = database.load(filter, out);
    return status;
}

}  // namespace torvel::store
