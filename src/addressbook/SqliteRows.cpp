#include "addressbook/SqliteRows.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

namespace {
// QtSql's SQLite driver hands its connection out as a QVariant of "sqlite3*".
sqlite3 *handleOf(const QSqlDatabase &db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}
} // namespace

SqliteRows::SqliteRows(const QSqlDatabase &db, const char *statement)
{
    sqlite3 *handle = handleOf(db);
    if (!handle) {
        m_error = QSqlError(QStringLiteral("no SQLite connection"), {}, QSqlError::ConnectionError);
        return;
    }
    if (const int code = sqlite3_prepare_v2(handle, statement, -1, &m_statement, nullptr); code != SQLITE_OK)
        fail(code, handle);
}

SqliteRows::~SqliteRows() { sqlite3_finalize(m_statement); }

bool SqliteRows::next()
{
    if (!m_statement || m_error.isValid())
        return false;
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW)
        return true;
    if (code != SQLITE_DONE)
        fail(code, sqlite3_db_handle(m_statement));
    return false;
}

int SqliteRows::integer(int column) const { return sqlite3_column_int(m_statement, column); }

std::optional<QString> SqliteRows::text(int column) const
{
    if (sqlite3_column_type(m_statement, column) == SQLITE_NULL)
        return std::nullopt;
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column));
}

QByteArrayView SqliteRows::utf8(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return QByteArrayView(text, text ? sqlite3_column_bytes(m_statement, column) : 0);
}

void SqliteRows::fail(int code, sqlite3 *handle)
{
    const QString message = QString::fromUtf8(sqlite3_errmsg(handle));
    m_error = QSqlError(QStringLiteral("Unable to fetch row"), message, QSqlError::StatementError, QString::number(code));
}
