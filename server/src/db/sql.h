#pragma once
// The one interface both store back ends implement. The stores above it hold the SQL text once,
// written so that SQLite and PostgreSQL both read it: parameters are $1, $2, ..., integers are
// plain INTEGER/BIGINT columns (no booleans), and single-row reads use RETURNING.
#include <cstdint>
#include <string>
#include <vector>

namespace catalogue {

enum class SqlDialect { sqlite, postgresql };

struct SqlParam {
  SqlParam(int64_t v) : is_int(true), int_value(v) {}
  SqlParam(int32_t v) : is_int(true), int_value(v) {}
  SqlParam(std::string v) : text(std::move(v)) {}
  SqlParam(const char* v) : text(v) {}
  bool is_int = false;
  int64_t int_value = 0;
  std::string text;
};

// Rows come back as text (what libpq's text mode gives, and what SQLite converts to); a NULL
// reads as empty text.
struct SqlResult {
  std::vector<std::vector<std::string>> rows;
  int64_t affected = 0;  // rows changed by an INSERT, UPDATE or DELETE

  bool empty() const { return rows.empty(); }
  const std::string& text_at(size_t row, size_t column) const { return rows[row][column]; }
  int64_t int_at(size_t row, size_t column) const;
};

class SqlConnection {
 public:
  virtual ~SqlConnection() = default;
  virtual SqlDialect dialect() const = 0;
  // False while the connection is unusable; the pool calls reconnect() then.
  virtual bool ok() const = 0;
  virtual bool reconnect() = 0;
  // One statement with bound parameters; false on error (last_error() says why).
  virtual bool run(const char* sql, const std::vector<SqlParam>& params, SqlResult* result = nullptr) = 0;
  // Fixed SQL without parameters, possibly several statements (schema, transactions).
  virtual bool exec(const char* sql) = 0;
  // A transaction that takes the write lock at once where the engine has one, so that two
  // writers (a server and an admin command) queue instead of failing halfway.
  virtual bool begin() = 0;
  // A read-only transaction whose reads all see one moment of the database.
  virtual bool begin_snapshot() = 0;
  virtual std::string last_error() const = 0;

  bool run(const char* sql, SqlResult& result) { return run(sql, {}, &result); }
};

// Commits on commit(), rolls back when left without it.
class Transaction {
 public:
  enum Kind { write, snapshot };
  explicit Transaction(SqlConnection& db, Kind kind = write)
      : db_(db), began_(kind == write ? db.begin() : db.begin_snapshot()) {}
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  ~Transaction() {
    if (began_ && !done_) db_.exec("ROLLBACK");
  }
  bool ok() const { return began_; }
  bool commit() {
    if (!began_ || done_) return false;
    done_ = db_.exec("COMMIT");
    return done_;
  }

 private:
  SqlConnection& db_;
  bool began_;
  bool done_ = false;
};

}  // namespace catalogue
