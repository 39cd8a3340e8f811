#pragma once

#include <QByteArrayView>
#include <QSqlError>
#include <QString>
#include <optional>

class QSqlDatabase;
struct sqlite3;
struct sqlite3_stmt;

// The rows of one statement read through SQLite's own interface, on the handle of a QtSql
// connection. Lists of every person read 10,000 rows of five texts; through QtSql each value
// becomes a QVariant of a text SQLite first converts to UTF-16, which cost three times what
// SQLite spends reading the rows. Texts are taken as SQLite keeps them (UTF-8).
class SqliteRows
{
public:
    // Prepares `statement` on `db`'s connection; a statement that cannot be prepared gives no
    // rows and the error.
    SqliteRows(const QSqlDatabase &db, const char *statement);
    ~SqliteRows();
    SqliteRows(const SqliteRows &) = delete;
    SqliteRows &operator=(const SqliteRows &) = delete;

    // The next row; false at the end and on an error.
    bool next();
    int integer(int column) const;
    // None for NULL.
    std::optional<QString> text(int column) const;
    // The text as SQLite keeps it, valid until the next row; empty for NULL.
    QByteArrayView utf8(int column) const;
    // Invalid once every row was read; SQLite's code as the native code otherwise.
    const QSqlError &error() const { return m_error; }

private:
    void fail(int code, sqlite3 *handle);

    sqlite3_stmt *m_statement = nullptr;
    QSqlError m_error;
};
