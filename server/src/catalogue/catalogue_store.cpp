#include "catalogue/catalogue_store.h"

namespace catalogue {
namespace {

bool put_setting(Database& db, const char* key, const std::string& value) {
  return db.prepare("INSERT INTO settings(key, value) VALUES(?1, ?2)")
      .bind(1, std::string(key))
      .bind(2, value)
      .run();
}

std::string get_setting(Database& db, const char* key) {
  Statement st = db.prepare("SELECT value FROM settings WHERE key = ?1");
  st.bind(1, std::string(key));
  return st.step() == SQLITE_ROW ? st.text_at(0) : std::string();
}

}  // namespace

std::string CatalogueStore::replace_all(const Catalogue& catalogue) {
  Transaction tx(db_);
  if (!tx.ok()) return "cannot begin: " + db_.last_error();
  if (!db_.exec("DELETE FROM entries") || !db_.exec("DELETE FROM settings"))
    return "cannot clear the catalogue: " + db_.last_error();
  if (!put_setting(db_, "kfUrl", catalogue.links.kfUrl) ||
      !put_setting(db_, "xyUrl", catalogue.links.xyUrl) ||
      !put_setting(db_, "secretUrl", catalogue.links.secretUrl))
    return "cannot store the links: " + db_.last_error();
  Statement insert = db_.prepare(
      "INSERT INTO entries(list, id, position, status, type, download_url, img_url, file_name,"
      " file_md5, memo, regedit_name, silent_param, game_repair, system_bit, file_path, is_key, md5_source)"
      " VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17)");
  int64_t position = 0;
  for (const Entry& e : catalogue.entries) {
    insert.reset();
    insert.bind(1, std::string(list_name(e.list)))
        .bind_int(2, e.id)
        .bind(3, position++)
        .bind_int(4, e.status)
        .bind_int(5, e.type)
        .bind(6, e.downloadUrl)
        .bind(7, e.imgUrl)
        .bind(8, e.fileName)
        .bind(9, e.fileMd5)
        .bind(10, e.memo)
        .bind(11, e.regeditName)
        .bind(12, e.silentParam)
        .bind_int(13, e.gameRepair)
        .bind_int(14, e.systemBit)
        .bind(15, e.filePath)
        .bind_int(16, e.isKey ? 1 : 0)
        .bind(17, e.md5From);
    if (!insert.run())
      return "cannot store " + std::string(list_name(e.list)) + " entry " + std::to_string(e.id) +
             ": " + db_.last_error();
  }
  if (!tx.commit()) return "cannot commit: " + db_.last_error();
  return std::string();
}

bool CatalogueStore::load_list(ListKind kind, std::vector<Entry>& out) {
  Statement st = db_.prepare(
      "SELECT id, status, type, download_url, img_url, file_name, file_md5, memo, regedit_name,"
      " silent_param, game_repair, system_bit, file_path, is_key, md5_source FROM entries WHERE list = ?1"
      " ORDER BY position");
  st.bind(1, std::string(list_name(kind)));
  out.clear();
  int rc;
  while ((rc = st.step()) == SQLITE_ROW) {
    Entry e;
    e.list = kind;
    e.id = static_cast<int32_t>(st.int_at(0));
    e.status = static_cast<int32_t>(st.int_at(1));
    e.type = static_cast<int32_t>(st.int_at(2));
    e.downloadUrl = st.text_at(3);
    e.imgUrl = st.text_at(4);
    e.fileName = st.text_at(5);
    e.fileMd5 = st.text_at(6);
    e.memo = st.text_at(7);
    e.regeditName = st.text_at(8);
    e.silentParam = st.text_at(9);
    e.gameRepair = static_cast<int32_t>(st.int_at(10));
    e.systemBit = static_cast<int32_t>(st.int_at(11));
    e.filePath = st.text_at(12);
    e.isKey = st.int_at(13) != 0;
    e.md5From = st.text_at(14);
    out.push_back(std::move(e));
  }
  return rc == SQLITE_DONE;
}

bool CatalogueStore::load_links(Links& out) {
  out.kfUrl = get_setting(db_, "kfUrl");
  out.xyUrl = get_setting(db_, "xyUrl");
  out.secretUrl = get_setting(db_, "secretUrl");
  return true;
}

bool CatalogueStore::load_all(Catalogue& out) {
  out.entries.clear();
  if (!load_links(out.links)) return false;
  for (ListKind kind : all_lists) {
    std::vector<Entry> part;
    if (!load_list(kind, part)) return false;
    out.entries.insert(out.entries.end(), part.begin(), part.end());
  }
  return true;
}

bool CatalogueStore::set_status(ListKind kind, int32_t id, int32_t status) {
  Statement st = db_.prepare("UPDATE entries SET status = ?1 WHERE list = ?2 AND id = ?3");
  st.bind_int(1, status).bind(2, std::string(list_name(kind))).bind_int(3, id);
  return st.run() && db_.changes() == 1;
}

}  // namespace catalogue
