#pragma once
// A small owner of an SQLite connection and its prepared statements. SQLite is a C library;
// this wrapper only closes what it opens and keeps error text, so the history file's code
// reads as plain steps. It throws nothing: every call reports SQLite's result code.

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

class SqliteStatement;

class SqliteDatabase {
public:
    SqliteDatabase() = default;
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;
    SqliteDatabase(SqliteDatabase&& other) noexcept;
    SqliteDatabase& operator=(SqliteDatabase&& other) noexcept;

    // Opens (or, when `create`, creates) a database file; `readOnly` never writes to it.
    int Open(const std::string& path, bool create, bool readOnly);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }

    // Runs statements without results.
    int Execute(std::string_view sql);
    // The first column of the first row of a query as an integer (0 when no row).
    int QueryInteger(std::string_view sql, std::int64_t& value);
    // The first column of the first row as text (empty when no row).
    int QueryText(std::string_view sql, std::string& value);
    // The last error's text, for messages.
    std::string ErrorText() const;
    sqlite3* Handle() const { return m_db; }

    // Copies the whole database into `destination` (SQLite's backup API: a consistent copy).
    int CopyInto(SqliteDatabase& destination);

private:
    sqlite3* m_db = nullptr;
};

class SqliteStatement {
public:
    SqliteStatement(SqliteDatabase& database, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // The result of preparing; anything but SQLITE_OK makes every step fail.
    int PrepareResult() const { return m_prepared; }
    int Bind(int index, std::int64_t value);
    int Bind(int index, std::string_view text);
    // SQLITE_ROW while there are rows, SQLITE_DONE at the end, else an error.
    int Step();
    // Clears the bindings and makes the statement ready to run again.
    void Reset();
    std::int64_t IntegerAt(int column) const;
    std::string TextAt(int column) const;
    // SQLITE_INTEGER, SQLITE_TEXT and so on.
    int TypeAt(int column) const;

private:
    sqlite3_stmt* m_statement = nullptr;
    int m_prepared = 0;
};
