#pragma once
// The connections a server shares between its request threads. SQLite gets one (it has one
// writer anyway, and a connection per thread would only contend for the file lock); PostgreSQL
// gets several, so that token checks on different threads proceed at once.
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "db/sql.h"

namespace catalogue {

// Opens a connection for `db`: a postgresql:// (or postgres://) URI, otherwise a SQLite file.
std::unique_ptr<SqlConnection> open_connection(const std::string& db);
bool is_postgresql_url(const std::string& db);
// `db` with any password in it replaced, for messages.
std::string describe_database(const std::string& db);

class ConnectionPool {
 public:
  ConnectionPool(std::string db, size_t size);

  class Lease {
   public:
    Lease(ConnectionPool& pool, std::unique_ptr<SqlConnection> conn) : pool_(pool), conn_(std::move(conn)) {}
    Lease(Lease&& other) noexcept : pool_(other.pool_), conn_(std::move(other.conn_)) {}
    Lease(const Lease&) = delete;
    ~Lease() { pool_.give_back(std::move(conn_)); }
    SqlConnection& operator*() const { return *conn_; }
    SqlConnection* operator->() const { return conn_.get(); }

   private:
    ConnectionPool& pool_;
    std::unique_ptr<SqlConnection> conn_;
  };

  // Waits for a free connection. A connection that was lost (the database restarted) is opened
  // again here, so one outage does not leave the server broken after the database is back.
  Lease lease();
  SqlDialect dialect() const { return dialect_; }

 private:
  void give_back(std::unique_ptr<SqlConnection> conn);

  std::string db_;
  SqlDialect dialect_;
  std::mutex mutex_;
  std::condition_variable freed_;
  std::vector<std::unique_ptr<SqlConnection>> idle_;
  size_t unopened_;
};

}  // namespace catalogue
