#include "db/sqlite_db.h"

namespace catalogue {

Statement::Statement(sqlite3* db, const char* sql) {
  if (db == nullptr || sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
  }
}

Statement::Statement(Statement&& other) noexcept : stmt_(other.stmt_) { other.stmt_ = nullptr; }

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    sqlite3_finalize(stmt_);
    stmt_ = other.stmt_;
    other.stmt_ = nullptr;
  }
  return *this;
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::bind(int index, const std::string& text) {
  if (stmt_) sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  return *this;
}

Statement& Statement::bind(int index, int64_t value) {
  if (stmt_) sqlite3_bind_int64(stmt_, index, value);
  return *this;
}

int Statement::step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_MISUSE; }

bool Statement::run() {
  int rc;
  while ((rc = step()) == SQLITE_ROW) {
  }
  return rc == SQLITE_DONE;
}

void Statement::reset() {
  if (stmt_) {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
  }
}

int64_t Statement::int_at(int column) const { return sqlite3_column_int64(stmt_, column); }

std::string Statement::text_at(int column) const {
  const unsigned char* p = sqlite3_column_text(stmt_, column);
  if (p == nullptr) return std::string();
  return std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(sqlite3_column_bytes(stmt_, column)));
}

Database::Database(const std::string& path) {
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    error_ = db_ ? sqlite3_errmsg(db_) : "cannot open database";
    sqlite3_close(db_);
    db_ = nullptr;
    return;
  }
  // The admin commands write while the server reads, from another process: WAL lets both
  // proceed, and the busy timeout absorbs the short write lock instead of failing a request.
  // synchronous=NORMAL in WAL mode survives a killed process, which is what a restart needs.
  sqlite3_busy_timeout(db_, 5000);
  if (!exec("PRAGMA journal_mode=WAL") || !exec("PRAGMA synchronous=NORMAL") ||
      !exec("PRAGMA foreign_keys=ON")) {
    error_ = last_error();
    sqlite3_close(db_);
    db_ = nullptr;
  }
}

Database::~Database() {
  data_version_ = Statement();  // finalised before the connection closes
  sqlite3_close(db_);
}

bool Database::exec(const char* sql) {
  return db_ != nullptr && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

int64_t Database::changes() const { return db_ ? sqlite3_changes(db_) : 0; }
int64_t Database::last_insert_id() const { return db_ ? sqlite3_last_insert_rowid(db_) : 0; }

int64_t Database::data_version() {
  if (!data_version_.ok()) data_version_ = prepare("PRAGMA data_version");
  data_version_.reset();
  return data_version_.step() == SQLITE_ROW ? data_version_.int_at(0) : -1;
}

std::string Database::last_error() const { return db_ ? sqlite3_errmsg(db_) : error_; }

Transaction::Transaction(Database& db) : db_(db) { began_ = db_.exec("BEGIN IMMEDIATE"); }

Transaction::~Transaction() {
  if (began_ && !done_) db_.exec("ROLLBACK");
}

bool Transaction::commit() {
  if (!began_ || done_) return false;
  done_ = db_.exec("COMMIT");
  return done_;
}

}  // namespace catalogue
