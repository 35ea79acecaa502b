#pragma once
// SQLite, the embedded back end: one file, one connection per process, readers and one writer
// at a time across processes (WAL).
#include <sqlite3.h>

#include <map>
#include <string>

#include "db/sql.h"

namespace catalogue {

class SqliteConnection : public SqlConnection {
 public:
  // Opens (creating when missing) and tunes the connection; check ok() afterwards.
  explicit SqliteConnection(std::string path);
  ~SqliteConnection() override;

  SqlDialect dialect() const override { return SqlDialect::sqlite; }
  bool ok() const override { return db_ != nullptr; }
  bool reconnect() override;
  using SqlConnection::run;
  bool run(const char* sql, const std::vector<SqlParam>& params, SqlResult* result) override;
  bool exec(const char* sql) override;
  bool begin() override { return exec("BEGIN IMMEDIATE"); }
  // In WAL mode a deferred transaction reads one snapshot and holds no lock against writers.
  bool begin_snapshot() override { return exec("BEGIN DEFERRED"); }
  std::string last_error() const override;

 private:
  bool open();
  void close();
  sqlite3_stmt* statement(const char* sql);

  std::string path_;
  std::string error_;
  sqlite3* db_ = nullptr;
  // Prepared once per SQL text: the token check runs on every user refresh of every program.
  std::map<std::string, sqlite3_stmt*> statements_;
};

}  // namespace catalogue
