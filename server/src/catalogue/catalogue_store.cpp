#include "catalogue/catalogue_store.h"

namespace catalogue {
namespace {

constexpr const char* entry_columns =
    "id, status, type, download_url, img_url, file_name, file_md5, memo, regedit_name,"
    " silent_param, game_repair, system_bit, file_path, is_key, md5_source, system_bit_given, min_version";

Entry entry_from_row(ListKind kind, const SqlResult& r, size_t i) {
  Entry e;
  e.list = kind;
  e.id = static_cast<int32_t>(r.int_at(i, 0));
  e.status = static_cast<int32_t>(r.int_at(i, 1));
  e.type = static_cast<int32_t>(r.int_at(i, 2));
  e.downloadUrl = r.text_at(i, 3);
  e.imgUrl = r.text_at(i, 4);
  e.fileName = r.text_at(i, 5);
  e.fileMd5 = r.text_at(i, 6);
  e.memo = r.text_at(i, 7);
  e.regeditName = r.text_at(i, 8);
  e.silentParam = r.text_at(i, 9);
  e.gameRepair = static_cast<int32_t>(r.int_at(i, 10));
  if (r.int_at(i, 15) != 0) e.systemBit = static_cast<int32_t>(r.int_at(i, 11));
  e.filePath = r.text_at(i, 12);
  e.isKey = r.int_at(i, 13) != 0;
  e.md5From = r.text_at(i, 14);
  e.minVersion = r.text_at(i, 16);
  return e;
}

}  // namespace

bool CatalogueStore::bump_version() {
  SqlResult r;
  return db_.run("UPDATE catalogue_version SET version = version + 1 WHERE id = 1", {}, &r) && r.affected == 1;
}

std::string CatalogueStore::replace_all(const Catalogue& catalogue) {
  Transaction tx(db_);
  if (!tx.ok()) return "cannot begin: " + db_.last_error();
  // First, so that its row lock queues a second import behind this one: PostgreSQL would
  // otherwise let both clear the old entries and then refuse the second's inserts.
  if (!bump_version()) return "cannot raise the catalogue version: " + db_.last_error();
  if (!db_.exec("DELETE FROM entries") || !db_.exec("DELETE FROM settings"))
    return "cannot clear the catalogue: " + db_.last_error();
  const char* put_setting = "INSERT INTO settings(key, value) VALUES($1, $2)";
  if (!db_.run(put_setting, {"kfUrl", catalogue.links.kfUrl}) || !db_.run(put_setting, {"xyUrl", catalogue.links.xyUrl}) ||
      !db_.run(put_setting, {"secretUrl", catalogue.links.secretUrl}))
    return "cannot store the links: " + db_.last_error();
  // With the entries and in the same transaction: the document served is always the one the
  // lists came from.
  if (!catalogue.signedDocument.empty() && !db_.run(put_setting, {"signedDocument", catalogue.signedDocument}))
    return "cannot store the signed document: " + db_.last_error();
  int64_t position = 0;
  for (const Entry& e : catalogue.entries) {
    bool stored = db_.run(
        "INSERT INTO entries(list, id, position, status, type, download_url, img_url, file_name,"
        " file_md5, memo, regedit_name, silent_param, game_repair, system_bit, file_path, is_key, md5_source,"
        " system_bit_given, min_version)"
        " VALUES($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13, $14, $15, $16, $17, $18, $19)",
        {list_name(e.list), e.id, position++, e.status, e.type, e.downloadUrl, e.imgUrl, e.fileName, e.fileMd5, e.memo,
         e.regeditName, e.silentParam, e.gameRepair, e.systemBit.value_or(0), e.filePath, int32_t{e.isKey ? 1 : 0},
         e.md5From, int32_t{e.systemBit ? 1 : 0}, e.minVersion});
    if (!stored)
      return "cannot store " + std::string(list_name(e.list)) + " entry " + std::to_string(e.id) + ": " +
             db_.last_error();
  }
  if (!tx.commit()) return "cannot commit: " + db_.last_error();
  return std::string();
}

bool CatalogueStore::load_list(ListKind kind, std::vector<Entry>& out) {
  std::string sql = std::string("SELECT ") + entry_columns + " FROM entries WHERE list = $1 ORDER BY position";
  SqlResult r;
  out.clear();
  if (!db_.run(sql.c_str(), {list_name(kind)}, &r)) return false;
  for (size_t i = 0; i < r.rows.size(); ++i) out.push_back(entry_from_row(kind, r, i));
  return true;
}

bool CatalogueStore::load_links(Links& out) {
  SqlResult r;
  if (!db_.run("SELECT key, value FROM settings", r)) return false;
  out = Links();
  for (const auto& row : r.rows) {
    if (row[0] == "kfUrl") out.kfUrl = row[1];
    if (row[0] == "xyUrl") out.xyUrl = row[1];
    if (row[0] == "secretUrl") out.secretUrl = row[1];
  }
  return true;
}

bool CatalogueStore::load_signed_document(std::string& out) {
  SqlResult r;
  if (!db_.run("SELECT value FROM settings WHERE key = $1", {"signedDocument"}, &r)) return false;
  out = r.empty() ? std::string() : r.text_at(0, 0);
  return true;
}

bool CatalogueStore::load_all(Catalogue& out) {
  out.entries.clear();
  if (!load_links(out.links) || !load_signed_document(out.signedDocument)) return false;
  for (ListKind kind : all_lists) {
    std::vector<Entry> part;
    if (!load_list(kind, part)) return false;
    out.entries.insert(out.entries.end(), part.begin(), part.end());
  }
  return true;
}

bool CatalogueStore::set_status(ListKind kind, int32_t id, int32_t status) {
  Transaction tx(db_);
  SqlResult r;
  if (!tx.ok() || !db_.run("UPDATE entries SET status = $1 WHERE list = $2 AND id = $3", {status, list_name(kind), id}, &r) ||
      r.affected != 1)
    return false;
  return bump_version() && tx.commit();
}

int64_t CatalogueStore::version() {
  SqlResult r;
  if (!db_.run("SELECT version FROM catalogue_version WHERE id = 1", r) || r.empty()) return -1;
  return r.int_at(0, 0);
}

int64_t CatalogueStore::load_snapshot(Catalogue& out) {
  Transaction tx(db_, Transaction::snapshot);
  if (!tx.ok()) return -1;
  int64_t v = version();
  if (v < 0 || !load_all(out) || !tx.commit()) return -1;
  return v;
}

}  // namespace catalogue
