#pragma once
// A thin RAII layer over SQLite. Every statement goes through bound parameters; there is no
// way to splice text into SQL here, which is the point.
#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>

namespace catalogue {

class Statement {
 public:
  Statement() = default;
  Statement(sqlite3* db, const char* sql);
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&& other) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement();

  bool ok() const { return stmt_ != nullptr; }
  Statement& bind(int index, const std::string& text);
  Statement& bind(int index, int64_t value);
  Statement& bind_int(int index, int value) { return bind(index, static_cast<int64_t>(value)); }

  // SQLITE_ROW, SQLITE_DONE or an error code.
  int step();
  // Runs the statement to completion; true when it finished without error.
  bool run();
  void reset();

  int64_t int_at(int column) const;
  std::string text_at(int column) const;

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

class Database {
 public:
  // Opens (creating when missing) and tunes the connection; check ok() afterwards.
  explicit Database(const std::string& path);
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;
  ~Database();

  bool ok() const { return db_ != nullptr; }
  const std::string& error() const { return error_; }
  Statement prepare(const char* sql) const { return Statement(db_, sql); }
  // For fixed SQL without parameters only (schema, pragmas, transactions).
  bool exec(const char* sql);
  int64_t changes() const;
  int64_t last_insert_id() const;
  // Changes whenever another connection commits; lets readers keep a cache.
  int64_t data_version();
  std::string last_error() const;

 private:
  sqlite3* db_ = nullptr;
  std::string error_;
  Statement data_version_;  // asked on every catalogue request, so prepared once
};

// Commits on commit(), rolls back when left without it.
class Transaction {
 public:
  explicit Transaction(Database& db);
  ~Transaction();
  bool ok() const { return began_; }
  bool commit();

 private:
  Database& db_;
  bool began_ = false;
  bool done_ = false;
};

}  // namespace catalogue
