#include "db/migrations.h"

#include <gtest/gtest.h>

#include "catalogue/catalogue_store.h"
#include "test_server.h"

using namespace catalogue;

TEST(Migrations, AFreshDatabaseGetsTheCurrentSchema) {
  catalogue_test::TempDir temp;
  const std::string& dir = temp.path;
  Database db(dir + "/a.db");
  ASSERT_TRUE(db.ok());
  EXPECT_EQ(migrate(db), "");
  EXPECT_EQ(schema_version(db), current_schema_version());
  EXPECT_EQ(migrate(db), "");  // idempotent
  EXPECT_EQ(schema_version(db), current_schema_version());
}

TEST(Migrations, AnOlderDatabaseKeepsItsCatalogueWhenUpgraded) {
  catalogue_test::TempDir temp;
  const std::string& dir = temp.path;
  {
    Database db(dir + "/old.db");
    ASSERT_EQ(migrate_to(db, 1), "");
    // Written as version 1 wrote it, before the later columns existed.
    ASSERT_TRUE(db.exec("INSERT INTO entries(list, id, position, status, download_url, file_name)"
                        " VALUES('dx', 7, 0, 1, '/files/a.dll', 'a.dll')"));
  }
  Database db(dir + "/old.db");
  EXPECT_EQ(migrate(db), "");
  EXPECT_EQ(schema_version(db), current_schema_version());
  std::vector<Entry> dx;
  ASSERT_TRUE(CatalogueStore(db).load_list(ListKind::dx, dx));
  ASSERT_EQ(dx.size(), 1u);
  EXPECT_EQ(dx[0].id, 7);
  EXPECT_EQ(dx[0].md5From, "");
  EXPECT_TRUE(db.prepare("SELECT count(*) FROM users").ok());
}

TEST(Migrations, ADatabaseFromANewerServerIsRefused) {
  catalogue_test::TempDir temp;
  const std::string& dir = temp.path;
  Database db(dir + "/new.db");
  ASSERT_TRUE(db.exec("PRAGMA user_version=99"));
  EXPECT_NE(migrate(db).find("newer"), std::string::npos);
  EXPECT_EQ(schema_version(db), 99);
}
