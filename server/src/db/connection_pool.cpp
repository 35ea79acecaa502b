#include "db/connection_pool.h"

#include "db/pg_connection.h"
#include "db/sqlite_connection.h"

namespace catalogue {

bool is_postgresql_url(const std::string& db) {
  return db.rfind("postgresql://", 0) == 0 || db.rfind("postgres://", 0) == 0;
}

std::unique_ptr<SqlConnection> open_connection(const std::string& db) {
  if (is_postgresql_url(db)) return std::make_unique<PgConnection>(db);
  return std::make_unique<SqliteConnection>(db);
}

std::string describe_database(const std::string& db) {
  if (!is_postgresql_url(db)) return db;
  size_t scheme = db.find("://") + 3;
  size_t at = db.find('@', scheme);
  size_t colon = db.find(':', scheme);
  if (at == std::string::npos || colon == std::string::npos || colon > at) return db;
  return db.substr(0, colon + 1) + "***" + db.substr(at);
}

ConnectionPool::ConnectionPool(std::string db, size_t size)
    : db_(std::move(db)),
      dialect_(is_postgresql_url(db_) ? SqlDialect::postgresql : SqlDialect::sqlite),
      unopened_(dialect_ == SqlDialect::sqlite ? 1 : (size == 0 ? 1 : size)) {}

ConnectionPool::Lease ConnectionPool::lease() {
  std::unique_ptr<SqlConnection> conn;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    freed_.wait(lock, [this] { return !idle_.empty() || unopened_ > 0; });
    if (!idle_.empty()) {
      conn = std::move(idle_.back());
      idle_.pop_back();
    } else {
      --unopened_;
    }
  }
  // Opening happens outside the lock: a database that does not answer holds up one thread only.
  if (!conn) conn = open_connection(db_);
  else if (!conn->ok()) conn->reconnect();
  return Lease(*this, std::move(conn));
}

void ConnectionPool::give_back(std::unique_ptr<SqlConnection> conn) {
  if (!conn) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    idle_.push_back(std::move(conn));
  }
  freed_.notify_one();
}

}  // namespace catalogue
