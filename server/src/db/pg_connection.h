#pragma once
// PostgreSQL over libpq, the back end that several server instances share.
#include <string>

#include "db/sql.h"

struct pg_conn;

namespace catalogue {

class PgConnection : public SqlConnection {
 public:
  // `url` is a libpq connection URI, postgresql://user@host:port/dbname?...
  explicit PgConnection(std::string url);
  ~PgConnection() override;
  PgConnection(const PgConnection&) = delete;
  PgConnection& operator=(const PgConnection&) = delete;

  SqlDialect dialect() const override { return SqlDialect::postgresql; }
  bool ok() const override;
  bool reconnect() override;
  using SqlConnection::run;
  bool run(const char* sql, const std::vector<SqlParam>& params, SqlResult* result) override;
  bool exec(const char* sql) override;
  bool begin() override { return exec("BEGIN"); }
  bool begin_snapshot() override { return exec("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY"); }
  std::string last_error() const override;

 private:
  bool open();

  std::string url_;
  pg_conn* conn_ = nullptr;
  std::string error_;
};

}  // namespace catalogue
