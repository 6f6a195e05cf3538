// The SQLite layer of the metrics index.
#include "training/Sqlite.h"

#include <utility>

SqlStatement::SqlStatement(sqlite3 *db, std::string_view sql)
{
    if (db)
        prepared_ = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (prepared_ != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        prepared_ = prepared_ == SQLITE_OK ? SQLITE_MISUSE : prepared_;
    }
}

SqlStatement::~SqlStatement()
{
    sqlite3_finalize(stmt_);
}

SqlStatement::SqlStatement(SqlStatement &&other) noexcept
    : stmt_(std::exchange(other.stmt_, nullptr)), prepared_(other.prepared_)
{
}

SqlStatement &SqlStatement::operator=(SqlStatement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(stmt_);
        stmt_ = std::exchange(other.stmt_, nullptr);
        prepared_ = other.prepared_;
    }
    return *this;
}

void SqlStatement::Bind(int index, std::int64_t value)
{
    sqlite3_bind_int64(stmt_, index, value);
}

void SqlStatement::Bind(int index, double value)
{
    sqlite3_bind_double(stmt_, index, value);
}

void SqlStatement::Bind(int index, std::string_view text)
{
    sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void SqlStatement::Bind(int index, const std::optional<double> &value)
{
    if (value)
        Bind(index, *value);
    else
        BindNull(index);
}

void SqlStatement::Bind(int index, const std::optional<int> &value)
{
    if (value)
        Bind(index, *value);
    else
        BindNull(index);
}

void SqlStatement::BindBlob(int index, std::string_view bytes)
{
    sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

void SqlStatement::BindNull(int index)
{
    sqlite3_bind_null(stmt_, index);
}

int SqlStatement::Step()
{
    return stmt_ ? sqlite3_step(stmt_) : prepared_;
}

int SqlStatement::Run()
{
    int code = SQLITE_ROW;
    while (code == SQLITE_ROW)
        code = Step();
    Reset();
    return code;
}

void SqlStatement::Reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

bool SqlStatement::IsNull(int column) const
{
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::int64_t SqlStatement::Int64(int column) const
{
    return sqlite3_column_int64(stmt_, column);
}

double SqlStatement::Double(int column) const
{
    return sqlite3_column_double(stmt_, column);
}

std::optional<double> SqlStatement::OptDouble(int column) const
{
    return IsNull(column) ? std::nullopt : std::optional<double>(Double(column));
}

std::string SqlStatement::Text(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column));
    return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))) : std::string();
}

std::string_view SqlStatement::Blob(int column) const
{
    const auto *bytes = static_cast<const char *>(sqlite3_column_blob(stmt_, column));
    return bytes ? std::string_view(bytes, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                 : std::string_view();
}

SqlDatabase::~SqlDatabase()
{
    Close();
}

int SqlDatabase::Open(const std::string &path, int flags)
{
    Close();
    const int code = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (code != SQLITE_OK)
        Close();
    return code;
}

void SqlDatabase::Close()
{
    // Statements are owned by their users and finalized before this.
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

int SqlDatabase::Exec(const std::string &sql)
{
    return db_ ? sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) : SQLITE_MISUSE;
}

std::optional<std::int64_t> SqlDatabase::Int64Of(const std::string &sql)
{
    SqlStatement stmt(db_, sql);
    if (stmt.Step() != SQLITE_ROW)
        return std::nullopt;
    return stmt.Int64(0);
}

int SqlDatabase::LastCode() const
{
    return db_ ? sqlite3_errcode(db_) & 0xFF : SQLITE_MISUSE;
}

bool IsDamage(int code)
{
    code &= 0xFF;
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

bool IsUnwritable(int code)
{
    code &= 0xFF;
    return code == SQLITE_READONLY || code == SQLITE_CANTOPEN || code == SQLITE_PERM || code == SQLITE_IOERR ||
           code == SQLITE_FULL || code == SQLITE_AUTH;
}
