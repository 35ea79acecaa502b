#include "db/sqlite_connection.h"

#include <cstdlib>

namespace catalogue {

SqliteConnection::SqliteConnection(std::string path) : path_(std::move(path)) { open(); }

SqliteConnection::~SqliteConnection() { close(); }

bool SqliteConnection::open() {
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
  if (sqlite3_open_v2(path_.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    error_ = db_ ? sqlite3_errmsg(db_) : "cannot open database";
    close();
    return false;
  }
  // The admin commands write while the server reads, from another process: WAL lets both
  // proceed, and the busy timeout absorbs the short write lock instead of failing a request.
  // synchronous=NORMAL in WAL mode survives a killed process, which is what a restart needs.
  sqlite3_busy_timeout(db_, 5000);
  if (!exec("PRAGMA journal_mode=WAL") || !exec("PRAGMA synchronous=NORMAL") || !exec("PRAGMA foreign_keys=ON")) {
    error_ = last_error();
    close();
    return false;
  }
  return true;
}

void SqliteConnection::close() {
  for (auto& [sql, st] : statements_) sqlite3_finalize(st);
  statements_.clear();
  sqlite3_close(db_);
  db_ = nullptr;
}

bool SqliteConnection::reconnect() {
  close();
  return open();
}

sqlite3_stmt* SqliteConnection::statement(const char* sql) {
  auto it = statements_.find(sql);
  if (it != statements_.end()) {
    sqlite3_reset(it->second);
    sqlite3_clear_bindings(it->second);
    return it->second;
  }
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db_, sql, -1, &st, nullptr) != SQLITE_OK) {
    sqlite3_finalize(st);
    return nullptr;
  }
  statements_.emplace(sql, st);
  return st;
}

bool SqliteConnection::run(const char* sql, const std::vector<SqlParam>& params, SqlResult* result) {
  if (result) *result = SqlResult();
  sqlite3_stmt* st = db_ ? statement(sql) : nullptr;
  if (st == nullptr) return false;
  // "$n" names the n-th parameter, as PostgreSQL numbers them, wherever it appears.
  for (int i = 1; i <= sqlite3_bind_parameter_count(st); ++i) {
    const char* name = sqlite3_bind_parameter_name(st, i);
    size_t n = name && name[0] == '$' ? strtoul(name + 1, nullptr, 10) : 0;
    if (n == 0 || n > params.size()) return false;
    const SqlParam& p = params[n - 1];
    int rc = p.is_int ? sqlite3_bind_int64(st, i, p.int_value)
                      : sqlite3_bind_text(st, i, p.text.data(), static_cast<int>(p.text.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) return false;
  }
  int rc;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    if (!result) continue;
    std::vector<std::string> row;
    for (int c = 0; c < sqlite3_column_count(st); ++c) {
      const unsigned char* text = sqlite3_column_text(st, c);
      row.emplace_back(text ? reinterpret_cast<const char*>(text) : "", static_cast<size_t>(sqlite3_column_bytes(st, c)));
    }
    result->rows.push_back(std::move(row));
  }
  if (result) result->affected = sqlite3_changes(db_);
  bool done = rc == SQLITE_DONE;
  sqlite3_reset(st);  // ends the statement's read, so a later COMMIT is not held up by it
  return done;
}

bool SqliteConnection::exec(const char* sql) {
  return db_ != nullptr && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::string SqliteConnection::last_error() const { return db_ ? sqlite3_errmsg(db_) : error_; }

}  // namespace catalogue
