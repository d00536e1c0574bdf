#include "vexa/system/data/Connection.h"

#include <sqlite3.h>

#include "vexa/system/data/FieldTypes.h"
#include "vexa/system/data/Recordset.h"
#include "vexa/system/data/SqliteValues.h"

namespace vexa {

namespace {

[[noreturn]] void RaiseSqliteError(sqlite3* db) {
    RaiseDatabaseError(db ? sqlite3_errmsg(db) : "out of memory");
}

// Owns a prepared statement for the length of one call.
class Statement {
  public:
    Statement(sqlite3* db, const std::string& sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &statement_, nullptr) !=
            SQLITE_OK) {
            RaiseSqliteError(db);
        }
        if (!statement_) RaiseDatabaseError("no statement to run");
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void Bind(const std::vector<Variant>& params) {
        for (std::size_t i = 0; i < params.size(); ++i) BindOne(int(i) + 1, params[i]);
    }

    // True while a row is available; raises on failure.
    bool Step() {
        const int rc = sqlite3_step(statement_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        RaiseSqliteError(db_);
    }

    sqlite3_stmt* Get() const { return statement_; }

  private:
    void BindOne(int index, const Variant& value) {
        int rc = SQLITE_OK;
        if (value.IsNull() || value.IsEmpty()) {
            rc = sqlite3_bind_null(statement_, index);
        } else if (value.Type() == vtBoolean) {
            rc = sqlite3_bind_int(statement_, index, value.ToBoolean() ? 1 : 0);
        } else if (value.Type() == vtInteger || value.Type() == vtLong || value.Type() == vtByte) {
            rc = sqlite3_bind_int64(statement_, index, value.ToLong());
        } else if (value.IsNumeric() && !value.IsString()) {
            rc = sqlite3_bind_double(statement_, index, value.ToDouble());
        } else {
            const std::string text = value.ToString();
            rc = sqlite3_bind_text(statement_, index, text.c_str(), int(text.size()),
                                   SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK) RaiseSqliteError(db_);
    }

    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

std::vector<FieldInfo> DescribeFields(sqlite3_stmt* statement) {
    std::vector<FieldInfo> fields(std::size_t(sqlite3_column_count(statement)));
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const char* declared = sqlite3_column_decltype(statement, int(i));
        const std::string_view declaredType = declared ? declared : "";
        fields[i].name = sqlite3_column_name(statement, int(i));
        fields[i].type = FieldTypeOfDeclared(declaredType);
        fields[i].definedSize = DefinedSizeOf(fields[i].type, DeclaredLength(declaredType));
    }
    return fields;
}

// A column without a declared type (an expression) takes the type of its first non-Null value.
void TypeUndeclaredFields(RecordsetData& data) {
    const std::size_t width = data.fields.size();
    for (std::size_t f = 0; f < width; ++f) {
        if (data.fields[f].type != 0) continue;
        data.fields[f].type = kTypeVarWChar;
        for (std::size_t r = 0; r < std::size_t(data.recordCount); ++r) {
            const Variant& value = data.values[r * width + f];
            if (value.IsNull()) continue;
            data.fields[f].type = FieldTypeOfValue(value);
            break;
        }
        data.fields[f].definedSize = DefinedSizeOf(data.fields[f].type, 0);
    }
}

}  // namespace

Connection::Connection(const std::string& path) {
    if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        RaiseDatabaseError(message);
    }
}

Connection::~Connection() {
    sqlite3_close(db_);
}

void Connection::Execute(const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : sqlite3_errmsg(db_);
        sqlite3_free(message);
        RaiseDatabaseError(text);
    }
}

void Connection::Execute(const std::string& sql, const std::vector<Variant>& params) {
    Statement statement(db_, sql);
    statement.Bind(params);
    while (statement.Step()) {
    }
}

std::shared_ptr<Recordset> Connection::OpenRecordset(const std::string& sql,
                                                     const std::vector<Variant>& params) {
    Statement statement(db_, sql);
    statement.Bind(params);
    RecordsetData rows;
    rows.fields = DescribeFields(statement.Get());
    while (statement.Step()) {
        for (std::size_t f = 0; f < rows.fields.size(); ++f) {
            rows.values.push_back(ReadSqliteValue(statement.Get(), int(f), rows.fields[f].type));
        }
        ++rows.recordCount;
    }
    TypeUndeclaredFields(rows);
    return Recordset::FromRows(std::move(rows.fields), std::move(rows.values), rows.recordCount);
}

}  // namespace vexa
