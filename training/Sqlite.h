#pragma once
// A thin layer over the SQLite C API for the metrics index: a connection
// that owns its handle, prepared statements that bind and read by column,
// and the result codes that say the file is damaged or cannot be written.
#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class SqlStatement {
public:
    SqlStatement() = default;
    SqlStatement(sqlite3 *db, std::string_view sql);
    ~SqlStatement();
    SqlStatement(SqlStatement &&other) noexcept;
    SqlStatement &operator=(SqlStatement &&other) noexcept;
    SqlStatement(const SqlStatement &) = delete;
    SqlStatement &operator=(const SqlStatement &) = delete;

    // Parameters count from 1. Text and blobs are copied by SQLite.
    void Bind(int index, std::int64_t value);
    void Bind(int index, int value) { Bind(index, static_cast<std::int64_t>(value)); }
    void Bind(int index, double value);
    void Bind(int index, std::string_view text);
    void Bind(int index, const std::optional<double> &value);
    void Bind(int index, const std::optional<int> &value);
    void BindBlob(int index, std::string_view bytes);
    void BindNull(int index);
    // SQLITE_ROW, SQLITE_DONE or an error code (that of the preparing
    // where it failed).
    int Step();
    // Step until done; the result code (SQLITE_DONE on success). Resets.
    int Run();
    void Reset();

    // Columns count from 0.
    bool IsNull(int column) const;
    std::int64_t Int64(int column) const;
    int Int(int column) const { return static_cast<int>(Int64(column)); }
    double Double(int column) const;
    std::optional<double> OptDouble(int column) const;
    std::string Text(int column) const;
    std::string_view Blob(int column) const; // valid until the next Step

private:
    sqlite3_stmt *stmt_ = nullptr;
    int prepared_ = SQLITE_MISUSE;
};

class SqlDatabase {
public:
    SqlDatabase() = default;
    ~SqlDatabase();
    SqlDatabase(const SqlDatabase &) = delete;
    SqlDatabase &operator=(const SqlDatabase &) = delete;

    // Opens (flags as sqlite3_open_v2). The result code.
    int Open(const std::string &path, int flags);
    void Close();
    sqlite3 *Handle() const { return db_; }
    bool IsOpen() const { return db_ != nullptr; }

    // Runs statements without results; the result code (SQLITE_OK).
    int Exec(const std::string &sql);
    // The first column of the first row of a query; none on error or no row.
    std::optional<std::int64_t> Int64Of(const std::string &sql);
    SqlStatement Prepare(std::string_view sql) { return SqlStatement(db_, sql); }
    // The code of the last failure of this connection (extended codes off).
    int LastCode() const;

private:
    sqlite3 *db_ = nullptr;
};

// The file is no database or a damaged one.
bool IsDamage(int code);
// The file or its folder cannot be written (or created).
bool IsUnwritable(int code);
