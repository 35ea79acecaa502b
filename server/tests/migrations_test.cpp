#include "db/migrations.h"

#include <gtest/gtest.h>

#include <thread>

#include "catalogue/catalogue_store.h"
#include "db/connection_pool.h"
#include "test_database.h"
#include "test_server.h"

using namespace catalogue;

namespace {

struct Migrations : ::testing::Test {
  catalogue_test::TempDir temp;
  std::string db_path = catalogue_test::new_test_database(temp.path);
  std::unique_ptr<SqlConnection> db = open_connection(db_path);
};

}  // namespace

TEST_F(Migrations, AFreshDatabaseGetsTheCurrentSchema) {
  ASSERT_TRUE(db->ok()) << db->last_error();
  EXPECT_EQ(schema_version(*db), 0);
  EXPECT_EQ(migrate(*db), "");
  EXPECT_EQ(schema_version(*db), current_schema_version());
  EXPECT_EQ(migrate(*db), "");  // idempotent
  EXPECT_EQ(schema_version(*db), current_schema_version());
  EXPECT_EQ(CatalogueStore(*db).version(), 1);
}

TEST_F(Migrations, AnOlderDatabaseKeepsItsCatalogueAndUsersWhenUpgraded) {
  ASSERT_EQ(migrate_to(*db, 3), "");
  // Written as version 3 wrote it, before the catalogue version existed.
  ASSERT_TRUE(db->exec("INSERT INTO entries(list, id, position, status, download_url, file_name)"
                       " VALUES('dx', 7, 0, 1, '/files/a.dll', 'a.dll')"));
  ASSERT_TRUE(db->exec("INSERT INTO users(provider, external_id, created_at) VALUES('demo', 'mac:1', 5)"));
  db = open_connection(db_path);
  EXPECT_EQ(migrate(*db), "");
  EXPECT_EQ(schema_version(*db), current_schema_version());
  std::vector<Entry> dx;
  ASSERT_TRUE(CatalogueStore(*db).load_list(ListKind::dx, dx));
  ASSERT_EQ(dx.size(), 1u);
  EXPECT_EQ(dx[0].id, 7);
  EXPECT_EQ(dx[0].md5From, "");
  SqlResult users;
  ASSERT_TRUE(db->run("SELECT external_id FROM users", users));
  ASSERT_EQ(users.rows.size(), 1u);
  EXPECT_EQ(users.text_at(0, 0), "mac:1");
  EXPECT_GE(CatalogueStore(*db).version(), 1);
}

TEST_F(Migrations, StoredRuntimeEntriesGainNoVersionOrBitnessAndDirectXKeepsItsBitness) {
  ASSERT_EQ(migrate_to(*db, 4), "");
  // Written as version 4 wrote them: every row had a bitness column, only DirectX and system used it.
  ASSERT_TRUE(db->exec("INSERT INTO entries(list, id, position, status, download_url, file_name, regedit_name)"
                       " VALUES('runtime', 3, 0, 1, 'https://x/vc.exe', 'vc.exe', 'HKEY_LOCAL_MACHINE\\A')"));
  ASSERT_TRUE(db->exec("INSERT INTO entries(list, id, position, status, download_url, file_name, system_bit, file_path)"
                       " VALUES('dx', 7, 1, 1, '/files/a.dll', 'a.dll', 1, 'C:\\Windows\\System32\\a.dll')"));
  ASSERT_TRUE(db->exec("INSERT INTO entries(list, id, position, status, download_url, file_name, system_bit, file_path)"
                       " VALUES('system', 8, 2, 1, '/files/b.dll', 'b.dll', 0, 'C:\\Windows\\System32\\b.dll')"));
  db = open_connection(db_path);
  ASSERT_EQ(migrate(*db), "");
  Catalogue c;
  ASSERT_TRUE(CatalogueStore(*db).load_all(c));
  ASSERT_EQ(c.entries.size(), 3u);
  for (const Entry& e : c.entries) {
    EXPECT_EQ(e.minVersion, "");
    if (e.list == ListKind::runtime) EXPECT_FALSE(e.systemBit.has_value());
    if (e.list == ListKind::dx) EXPECT_EQ(e.systemBit, std::optional<int32_t>(1));
    if (e.list == ListKind::system) EXPECT_EQ(e.systemBit, std::optional<int32_t>(0));
  }
}

TEST_F(Migrations, UserNumbersAndTimesBeyond32BitsAreKept) {
  ASSERT_EQ(migrate(*db), "");
  const int64_t far = 5000000000;  // after 2038
  ASSERT_TRUE(db->exec("INSERT INTO users(provider, external_id, created_at) VALUES('demo', 'a', 5000000000)"));
  ASSERT_TRUE(db->exec("INSERT INTO users(provider, external_id, created_at) VALUES('demo', 'b', 1)"));
  SqlResult r;
  ASSERT_TRUE(db->run("SELECT id, created_at FROM users ORDER BY external_id", r));
  ASSERT_EQ(r.rows.size(), 2u);
  EXPECT_EQ(r.int_at(0, 1), far);
  EXPECT_NE(r.int_at(0, 0), r.int_at(1, 0));  // numbered by the store
}

TEST_F(Migrations, ADatabaseFromANewerServerIsRefused) {
  ASSERT_EQ(migrate(*db), "");
  // Each engine keeps the number where migrate() looks for it.
  ASSERT_TRUE(db->dialect() == SqlDialect::sqlite ? db->exec("PRAGMA user_version=99")
                                                  : db->exec("UPDATE schema_version SET version = 99"));
  EXPECT_NE(migrate(*db).find("newer"), std::string::npos);
  EXPECT_EQ(schema_version(*db), 99);
}

TEST_F(Migrations, TwoProcessesMigratingAtOnceBothSucceed) {
  std::unique_ptr<SqlConnection> other = open_connection(db_path);
  std::string a, b;
  std::thread first([&] { a = migrate(*db); });
  std::thread second([&] { b = migrate(*other); });
  first.join();
  second.join();
  EXPECT_EQ(a, "");
  EXPECT_EQ(b, "");
  EXPECT_EQ(schema_version(*db), current_schema_version());
}
