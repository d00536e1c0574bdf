#include "vexa/system/data/PostgresConnection.h"

#include <libpq-fe.h>

#include <charconv>
#include <cstdio>
#include <optional>

#include "vexa/system/automation/DateTime.h"
#include "vexa/system/data/PostgresResult.h"
#include "vexa/system/data/PostgresTypes.h"
#include "vexa/system/data/Recordset.h"

namespace vexa {

namespace {

// Values come back in the forms the type mapping reads, whatever the server's or the
// user's defaults are.
constexpr const char* kSessionSettings =
    "SET DateStyle TO ISO, MDY; SET lc_monetary TO 'C'; SET bytea_output TO hex";

// libpq would print the server's notices on standard error; a library keeps quiet.
void IgnoreNotice(void*, const char*) {}

std::string RealText(double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

std::string DateText(double serial) {
    DateFields f;
    if (!SerialToFields(serial, f)) return Variant::Date(serial).ToString();
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day,
                  f.hour, f.minute, f.second);
    return buffer;
}

// An array of bytes in bytea's hex input form; other arrays have no text.
std::string BytesText(const Variant& value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text = "\\x";
    for (const Variant& item : value.Items()) {
        const auto byte = std::uint8_t(item.ToLong());
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
    }
    return text;
}

// A parameter in the server's text input form; std::nullopt is NULL.
std::optional<std::string> ParameterText(const Variant& value) {
    if (value.IsNull() || value.IsEmpty()) return std::nullopt;
    if (value.IsArray()) return BytesText(value);
    switch (value.Type()) {
        case vtBoolean:
            return value.ToBoolean() ? "true" : "false";
        case vtDouble:
        case vtSingle:
            return RealText(value.ToDouble());
        case vtDate:
            return DateText(value.ToDouble());
        default:
            return value.ToString();
    }
}

// The texts of a statement's parameters, alive for the length of the call.
class ParameterTexts {
  public:
    explicit ParameterTexts(const std::vector<Variant>& params) : texts_(params.size()) {
        for (std::size_t i = 0; i < params.size(); ++i) {
            texts_[i] = ParameterText(params[i]);
            pointers_.push_back(texts_[i] ? texts_[i]->c_str() : nullptr);
        }
    }
    int Count() const { return int(pointers_.size()); }
    const char* const* Values() const { return pointers_.data(); }

  private:
    std::vector<std::optional<std::string>> texts_;
    std::vector<const char*> pointers_;
};

}  // namespace

PostgresConnection::PostgresConnection(const std::string& connectionString) {
    connection_ = PQconnectdb(connectionString.c_str());
    if (connection_ == nullptr) RaiseDatabaseError("out of memory");
    if (PQstatus(connection_) != CONNECTION_OK) {
        const std::string message = PQerrorMessage(connection_);
        PQfinish(connection_);
        connection_ = nullptr;
        RaiseDatabaseError(message);
    }
    PQsetNoticeProcessor(connection_, &IgnoreNotice, nullptr);
    try {
        if (PQsetClientEncoding(connection_, "UTF8") != 0)
            RaiseDatabaseError(PQerrorMessage(connection_));
        Execute(kSessionSettings);
    } catch (...) {
        PQfinish(connection_);
        connection_ = nullptr;
        throw;
    }
}

PostgresConnection::~PostgresConnection() {
    PQfinish(connection_);
}

void PostgresConnection::Execute(const std::string& sql) {
    CheckedResult(connection_, PQexec(connection_, sql.c_str()));
}

void PostgresConnection::Execute(const std::string& sql, const std::vector<Variant>& params) {
    const ParameterTexts texts(params);
    CheckedResult(connection_, PQexecParams(connection_, sql.c_str(), texts.Count(), nullptr,
                                            texts.Values(), nullptr, nullptr, 0));
}

std::shared_ptr<Recordset> PostgresConnection::OpenRecordset(const std::string& sql,
                                                             const std::vector<Variant>& params) {
    const ParameterTexts texts(params);
    const PostgresResult result =
        CheckedResult(connection_, PQexecParams(connection_, sql.c_str(), texts.Count(), nullptr,
                                                texts.Values(), nullptr, nullptr, 0));
    return Recordset::FromRows(DescribePostgresFields(result.get()), ReadPostgresRows(result.get()),
                               PQntuples(result.get()));
}

std::int32_t PostgresConnection::ServerProcessId() const {
    return PQbackendPID(connection_);
}

bool PostgresConnection::InTransaction() const {
    const PGTransactionStatusType status = PQtransactionStatus(connection_);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR;
}

}  // namespace vexa
