#include "diary/SqliteDatabase.h"

#include <sqlite3.h>

#include <utility>

SqliteDatabase::~SqliteDatabase() {
    Close();
}

SqliteDatabase::SqliteDatabase(SqliteDatabase&& other) noexcept
    : m_db(std::exchange(other.m_db, nullptr)) {}

SqliteDatabase& SqliteDatabase::operator=(SqliteDatabase&& other) noexcept {
    if (this != &other) {
        Close();
        m_db = std::exchange(other.m_db, nullptr);
    }
    return *this;
}

int SqliteDatabase::Open(const std::string& path, bool create, bool readOnly) {
    Close();
    int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (create && !readOnly) flags |= SQLITE_OPEN_CREATE;
    // No URI names, no shared cache: the path is a plain file name whatever it holds.
    flags |= SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_PRIVATECACHE;
    const int result = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
    if (result != SQLITE_OK) return result;
    sqlite3_extended_result_codes(m_db, 1);
    // A hostile file cannot make a query grow without bound, nor run code of its own on our
    // writes (triggers, functions in its schema), nor let SQL damage the file's structure.
    sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, 1 << 20);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_busy_timeout(m_db, 2000);
    return SQLITE_OK;
}

void SqliteDatabase::Close() {
    if (m_db) sqlite3_close_v2(m_db);
    m_db = nullptr;
}

int SqliteDatabase::Execute(std::string_view sql) {
    if (!m_db) return SQLITE_MISUSE;
    return sqlite3_exec(m_db, std::string(sql).c_str(), nullptr, nullptr, nullptr);
}

int SqliteDatabase::QueryInteger(std::string_view sql, std::int64_t& value) {
    SqliteStatement statement(*this, sql);
    value = 0;
    const int step = statement.Step();
    if (step == SQLITE_ROW) {
        value = statement.IntegerAt(0);
        return SQLITE_OK;
    }
    return step == SQLITE_DONE ? SQLITE_OK : step;
}

int SqliteDatabase::QueryText(std::string_view sql, std::string& value) {
    SqliteStatement statement(*this, sql);
    value.clear();
    const int step = statement.Step();
    if (step == SQLITE_ROW) {
        value = statement.TextAt(0);
        return SQLITE_OK;
    }
    return step == SQLITE_DONE ? SQLITE_OK : step;
}

std::string SqliteDatabase::ErrorText() const {
    return m_db ? sqlite3_errmsg(m_db) : "no database";
}

int SqliteDatabase::CopyInto(SqliteDatabase& destination) {
    if (!m_db || !destination.m_db) return SQLITE_MISUSE;
    sqlite3_backup* backup = sqlite3_backup_init(destination.m_db, "main", m_db, "main");
    if (!backup) return sqlite3_errcode(destination.m_db);
    const int step = sqlite3_backup_step(backup, -1);
    const int finish = sqlite3_backup_finish(backup);
    if (step != SQLITE_DONE) return step;
    return finish;
}

SqliteStatement::SqliteStatement(SqliteDatabase& database, std::string_view sql) {
    if (!database.Handle()) {
        m_prepared = SQLITE_MISUSE;
        return;
    }
    m_prepared = sqlite3_prepare_v2(database.Handle(), sql.data(), static_cast<int>(sql.size()),
                                    &m_statement, nullptr);
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(m_statement);
}

int SqliteStatement::Bind(int index, std::int64_t value) {
    if (m_prepared != SQLITE_OK) return m_prepared;
    return sqlite3_bind_int64(m_statement, index, value);
}

int SqliteStatement::Bind(int index, std::string_view text) {
    if (m_prepared != SQLITE_OK) return m_prepared;
    return sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()),
                             SQLITE_TRANSIENT);
}

int SqliteStatement::Step() {
    if (m_prepared != SQLITE_OK) return m_prepared;
    return sqlite3_step(m_statement);
}

void SqliteStatement::Reset() {
    if (m_prepared != SQLITE_OK) return;
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

std::int64_t SqliteStatement::IntegerAt(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

std::string SqliteStatement::TextAt(int column) const {
    const unsigned char* text = sqlite3_column_text(m_statement, column);
    if (!text) return {};
    return std::string(reinterpret_cast<const char*>(text),
                       static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column)));
}

int SqliteStatement::TypeAt(int column) const {
    return sqlite3_column_type(m_statement, column);
}
