#include "db/pg_connection.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <memory>

namespace catalogue {
namespace {

struct ResultFree {
  void operator()(PGresult* r) const { PQclear(r); }
};
using Result = std::unique_ptr<PGresult, ResultFree>;

bool succeeded(const Result& r) {
  ExecStatusType s = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
  return s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK;
}

}  // namespace

PgConnection::PgConnection(std::string url) : url_(std::move(url)) { open(); }

PgConnection::~PgConnection() { PQfinish(conn_); }

bool PgConnection::open() {
  PQfinish(conn_);
  // A database host that does not answer would otherwise hold a request thread for as long as
  // the kernel keeps trying; a timeout in the URI itself still wins, as it comes later.
  const char* keys[] = {"connect_timeout", "dbname", nullptr};
  const char* values[] = {"5", url_.c_str(), nullptr};
  conn_ = PQconnectdbParams(keys, values, 1);
  if (PQstatus(conn_) != CONNECTION_OK) {
    error_ = conn_ ? PQerrorMessage(conn_) : "out of memory";
    return false;
  }
  // Notices (e.g. "relation already exists, skipping") would go to stderr otherwise.
  PQsetNoticeProcessor(conn_, [](void*, const char*) {}, nullptr);
  return true;
}

bool PgConnection::ok() const { return conn_ != nullptr && PQstatus(conn_) == CONNECTION_OK; }

bool PgConnection::reconnect() { return open(); }

bool PgConnection::run(const char* sql, const std::vector<SqlParam>& params, SqlResult* result) {
  if (result) *result = SqlResult();
  if (!ok()) return false;
  std::vector<std::string> texts;
  texts.reserve(params.size());
  for (const SqlParam& p : params) texts.push_back(p.is_int ? std::to_string(p.int_value) : p.text);
  std::vector<const char*> values;
  for (const std::string& t : texts) values.push_back(t.c_str());
  // Untyped text parameters: the server infers each one's type from where it is used.
  Result r(PQexecParams(conn_, sql, static_cast<int>(values.size()), nullptr, values.data(), nullptr, nullptr, 0));
  if (!succeeded(r)) return false;
  if (result) {
    int rows = PQntuples(r.get()), columns = PQnfields(r.get());
    result->rows.resize(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i)
      for (int c = 0; c < columns; ++c)
        result->rows[static_cast<size_t>(i)].emplace_back(PQgetvalue(r.get(), i, c),
                                                          static_cast<size_t>(PQgetlength(r.get(), i, c)));
    result->affected = strtoll(PQcmdTuples(r.get()), nullptr, 10);
  }
  return true;
}

bool PgConnection::exec(const char* sql) {
  if (!ok()) return false;
  Result r(PQexec(conn_, sql));
  return succeeded(r);
}

std::string PgConnection::last_error() const {
  if (conn_ == nullptr || PQstatus(conn_) != CONNECTION_OK) return error_.empty() ? "not connected" : error_;
  return PQerrorMessage(conn_);
}

}  // namespace catalogue
