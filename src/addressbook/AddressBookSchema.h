#pragma once

#include <QString>
#include <optional>

class QSqlDatabase;

// The address book's tables, versioned in SQLite's user_version. Each step takes a database of
// one version to the next inside a transaction, so an interrupted upgrade leaves the previous
// version whole.
namespace AddressBookSchema {
int currentVersion();
// Brings `db` to the current version step by step. Returns why it could not (a damaged file,
// a version newer than this program knows); the database is then left as it was.
std::optional<QString> migrate(QSqlDatabase &db);
}
