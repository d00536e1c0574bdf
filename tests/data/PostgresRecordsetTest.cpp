// The PostgreSQL recordset against a real server: every column type mapped to its field type
// code and value, NULL in each, parameters, a large result walked and counted, and errors
// that leave no recordset behind, the connection lost in the middle of a result among them.
#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "data/PostgresTestServer.h"
#include "vexa/system/automation/DateTime.h"
#include "vexa/system/data/PostgresConnection.h"
#include "vexa/system/data/Recordset.h"

namespace vexa {
namespace {

// "Type:text", the bytes of an array as "Variant():1,2,255".
std::string Describe(const Variant& value) {
    if (value.IsNull()) return "Null";
    if (!value.IsArray()) return TypeName(value) + ":" + value.ToString();
    std::string text = TypeName(value) + ":";
    for (const Variant& item : value.Items()) {
        text += (text.back() == ':' ? "" : ",") + item.ToString();
    }
    return text;
}

Variant FieldMember(const std::shared_ptr<Recordset>& rs, const Variant& field,
                    std::string_view member) {
    const Variant args[] = {field};
    return GetMember(CallMember(rs, "Fields", args).ToObject(), member);
}

struct TypeCase {
    std::string type;     // as a query casts to it
    std::string literal;  // a value of it
    std::int32_t fieldType;
    std::int32_t definedSize;
    std::string value;  // Describe() of the value
};

class PostgresTypeTest : public test::PostgresTestOf<::testing::TestWithParam<TypeCase>> {};

// India's offset has minutes, so a time zone the value does not keep is seen to be dropped.
TEST_P(PostgresTypeTest, ColumnTypeMapsToFieldTypeAndValueAndNullStaysNull) {
    const TypeCase& c = GetParam();
    PostgresConnection db(ConnectionString());
    db.Execute("SET TimeZone TO 'Asia/Kolkata'");
    auto rs = db.OpenRecordset("SELECT CAST(" + c.literal + " AS " + c.type +
                               ") AS v, CAST(NULL AS " + c.type + ") AS n");
    for (const char* field : {"v", "n"}) {
        EXPECT_EQ(FieldMember(rs, field, "Type").ToLong(), c.fieldType) << field;
        EXPECT_EQ(FieldMember(rs, field, "DefinedSize").ToLong(), c.definedSize) << field;
    }
    EXPECT_EQ(Describe(FieldMember(rs, "v", "Value")), c.value);
    EXPECT_TRUE(FieldMember(rs, "n", "Value").IsNull());
}

INSTANTIATE_TEST_SUITE_P(
    EveryColumnType, PostgresTypeTest,
    ::testing::Values(
        TypeCase{"smallint", "-7", kTypeSmallInt, 2, "Integer:-7"},
        TypeCase{"integer", "2147483647", kTypeInteger, 4, "Long:2147483647"},
        TypeCase{"bigint", "5000000000", kTypeBigInt, 8, "Double:5000000000"},
        TypeCase{"oid", "4000000000", kTypeBigInt, 8, "Double:4000000000"},
        TypeCase{"real", "1.5", kTypeSingle, 4, "Single:1.5"},
        TypeCase{"double precision", "0.1", kTypeDouble, 8, "Double:0.1"},
        TypeCase{"numeric(10,2)", "12.34", kTypeNumeric, 19, "Decimal:12.34"},
        TypeCase{"decimal", "-0.000001", kTypeNumeric, 19, "Decimal:-0.000001"},
        TypeCase{"numeric", "1e30", kTypeNumeric, 19, "Double:1E+30"},
        TypeCase{"money", "1234567.89", kTypeCurrency, 8, "Currency:1234567.89"},
        TypeCase{"money", "-5", kTypeCurrency, 8, "Currency:-5"},
        TypeCase{"boolean", "true", kTypeBoolean, 2, "Boolean:True"},
        TypeCase{"boolean", "false", kTypeBoolean, 2, "Boolean:False"},
        TypeCase{"varchar(40)", "'Bolt'", kTypeVarChar, 40, "String:Bolt"},
        TypeCase{"varchar", "'Nut'", kTypeVarChar, 255, "String:Nut"},
        TypeCase{"char(4)", "'ab'", kTypeVarChar, 4, "String:ab  "},
        TypeCase{"text", "'Grüße'", kTypeLongVarChar, 2147483647, "String:Grüße"},
        TypeCase{"date", "'2024-03-01'", kTypeDate, 8, "Date:3/1/2024"},
        TypeCase{"time", "'22:30:15'", kTypeDate, 8, "Date:10:30:15 PM"},
        TypeCase{"time with time zone", "'10:30:15-05'", kTypeDate, 8, "Date:10:30:15 AM"},
        TypeCase{"timestamp", "'2024-03-01 10:30:15'", kTypeDate, 8, "Date:3/1/2024 10:30:15 AM"},
        TypeCase{"timestamp", "'2024-03-01 10:30:15.75'", kTypeDate, 8,
                 "Date:3/1/2024 10:30:16 AM"},
        TypeCase{"timestamp", "'1899-12-29 06:00'", kTypeDate, 8, "Date:12/29/1899 6:00:00 AM"},
        TypeCase{"timestamp with time zone", "'2024-03-01 10:30:15+00'", kTypeDate, 8,
                 "Date:3/1/2024 4:00:15 PM"},
        // Beyond the dates a Date holds: the server's text.
        TypeCase{"timestamp", "'infinity'", kTypeDate, 8, "String:infinity"},
        TypeCase{"date", "'0044-03-15 BC'", kTypeDate, 8, "String:0044-03-15 BC"},
        TypeCase{"bytea", "'\\x0102ff'", kTypeLongVarBinary, 2147483647, "Variant():1,2,255"},
        TypeCase{"bytea", "''", kTypeLongVarBinary, 2147483647, "Variant():"},
        TypeCase{"uuid", "'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11'", kTypeVarWChar, 255,
                 "String:a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11"},
        TypeCase{"interval", "'1 day 02:00'", kTypeVarWChar, 255, "String:1 day 02:00:00"}));

struct ParameterCase {
    Variant value;
    std::string cast;  // the parameter's type on the server
};

class PostgresParameterTest : public test::PostgresTestOf<::testing::TestWithParam<ParameterCase>> {
};

TEST_P(PostgresParameterTest, ParametersReachTheServerAndComeBackUnchanged) {
    const ParameterCase& c = GetParam();
    PostgresConnection db(ConnectionString());
    auto rs = db.OpenRecordset("SELECT $1::" + c.cast + " AS v", {c.value});
    EXPECT_EQ(Describe(FieldMember(rs, "v", "Value")), Describe(c.value));
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfValue, PostgresParameterTest,
    ::testing::Values(
        ParameterCase{Variant(41), "integer"},
        ParameterCase{Variant("O'Brien; DROP TABLE x"), "text"},
        ParameterCase{Variant::Null(), "text"}, ParameterCase{Variant(true), "boolean"},
        ParameterCase{Variant(1.0 / 3.0), "double precision"},
        ParameterCase{Variant::Decimal("12345678901234.5678"), "numeric"},
        ParameterCase{Variant::Currency(123400), "money"},
        ParameterCase{Variant::Date(*DateSerial(2024, 3, 1) + TimeSerial(10, 30, 15)), "timestamp"},
        ParameterCase{
            Variant(std::vector<Variant>{Variant(std::uint8_t(0)), Variant(std::uint8_t(255))}),
            "bytea"}));

class PostgresRecordsetTest : public test::PostgresTest {};

// The recordset is walked as FillFromRS walks it: by member names.
TEST_F(PostgresRecordsetTest, ALargeResultIsCountedAndWalkedToTheEnd) {
    PostgresConnection db(ConnectionString());
    auto expected = db.OpenRecordset(
        "SELECT count(*)::integer AS n, sum(g)::float8 AS total FROM generate_series(1, 200000) g");
    auto rs = db.OpenRecordset("SELECT g, 'row ' || g AS label FROM generate_series(1, 200000) g");

    const Variant bookmarks[] = {Variant(8192)};
    ASSERT_TRUE(CallMember(rs, "Supports", bookmarks).ToBoolean());
    EXPECT_EQ(GetMember(rs, "RecordCount").ToLong(), FieldMember(expected, "n", "").ToLong());
    std::int32_t walked = 0;
    double total = 0;
    for (CallMember(rs, "MoveFirst"); !GetMember(rs, "EOF").ToBoolean();
         CallMember(rs, "MoveNext")) {
        ++walked;
        total += FieldMember(rs, 0, "Value").ToDouble();
    }
    EXPECT_EQ(walked, FieldMember(expected, "n", "").ToLong());
    EXPECT_EQ(total, FieldMember(expected, "total", "").ToDouble());
    CallMember(rs, "MoveLast");
    EXPECT_EQ(FieldMember(rs, "label", "").ToString(), "row 200000");
}

TEST_F(PostgresRecordsetTest, StatementsWithoutRowsGiveAnEmptyRecordset) {
    PostgresConnection db(ConnectionString());
    db.Execute("CREATE TEMP TABLE parts (id integer, name text)");
    db.Execute("INSERT INTO parts VALUES ($1, $2), ($3, $4)",
               {Variant(1), Variant("Bolt"), Variant(2), Variant::Null()});
    auto inserted = db.OpenRecordset("INSERT INTO parts VALUES (3, 'Nut')");
    EXPECT_EQ(inserted->RecordCount(), 0);
    EXPECT_TRUE(inserted->EOF_());
    auto rs = db.OpenRecordset("SELECT name FROM parts WHERE id >= $1 ORDER BY id", {Variant(2)});
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_TRUE(FieldMember(rs, 0, "").IsNull());
}

struct ErrorCase {
    std::string name;
    std::string connectionSuffix;  // added to the test server's connection string
    std::string sql;               // run once connected; empty: the connection fails
    std::string message;           // what the description says
};

class PostgresErrorTest : public test::PostgresTestOf<::testing::TestWithParam<ErrorCase>> {};

TEST_P(PostgresErrorTest, FailuresRaiseTheDatabaseErrorWithTheServersMessage) {
    const ErrorCase& c = GetParam();
    try {
        PostgresConnection db(c.connectionSuffix.rfind("host=", 0) == 0
                                  ? c.connectionSuffix
                                  : ConnectionString() + " " + c.connectionSuffix);
        db.OpenRecordset(c.sql);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.Number(), kDatabaseErrorNumber);
        EXPECT_EQ(e.Source(), "Connection");
        EXPECT_NE(e.Description().find(c.message), std::string::npos) << e.Description();
        EXPECT_EQ(e.Description().find('\n'), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, PostgresErrorTest,
    ::testing::Values(
        ErrorCase{"UnknownOption", "colour=blue", "", "invalid connection option \"colour\""},
        ErrorCase{"NoServer", "host=127.0.0.1 port=1", "", "Connection refused"},
        ErrorCase{"WrongPassword", "password=wrong", "", "password authentication failed"},
        ErrorCase{"UnknownDatabase", "dbname=nowhere", "", "database \"nowhere\" does not exist"},
        ErrorCase{"UnknownColumn", "", "SELECT nope", "column \"nope\" does not exist"},
        ErrorCase{"Syntax", "", "SELEC 1", "syntax error at or near \"SELEC\""},
        // The server fails after it has sent rows: none of them is kept.
        ErrorCase{"FailsAfterRows", "", "SELECT 10 / (g - 3) FROM generate_series(1, 5) g",
                  "division by zero"}),
    [](const auto& info) { return info.param.name; });

// The query blocks on a lock the test holds once the server has produced part of the result;
// then the test ends the query's server process from a second connection.
TEST_F(PostgresRecordsetTest, AConnectionLostInTheMiddleOfAResultGivesItsErrorAndNoRecordset) {
    PostgresConnection victim(ConnectionString());
    PostgresConnection control(ConnectionString());
    control.Execute("SELECT pg_advisory_lock(7340)");

    std::shared_ptr<Recordset> result;
    std::exception_ptr failure;
    std::thread query([&] {
        try {
            result = victim.OpenRecordset(
                "SELECT g, CASE WHEN g = 50000 THEN pg_advisory_lock_shared(7340) END "
                "FROM generate_series(1, 100000) g");
        } catch (...) {
            failure = std::current_exception();
        }
    });
    const std::vector<Variant> pid = {Variant(victim.ServerProcessId())};
    bool waiting = false;
    for (int poll = 0; poll < 100000 && !waiting; ++poll) {
        waiting = control
                      .OpenRecordset(
                          "SELECT 1 FROM pg_stat_activity WHERE pid = $1 AND wait_event_type = "
                          "'Lock'",
                          pid)
                      ->RecordCount() == 1;
    }
    EXPECT_TRUE(waiting) << "the query never reached the lock";
    control.Execute("SELECT pg_terminate_backend($1)", pid);
    query.join();

    EXPECT_EQ(result, nullptr);
    ASSERT_TRUE(failure);
    try {
        std::rethrow_exception(failure);
    } catch (const Error& e) {
        EXPECT_EQ(e.Number(), kDatabaseErrorNumber);
        // The server's farewell, or libpq's account when the farewell did not arrive.
        const std::string& said = e.Description();
        EXPECT_TRUE(said.find("terminating connection") != std::string::npos ||
                    said.find("server closed the connection") != std::string::npos)
            << said;
    }
    // The connection stays unusable, and says so.
    EXPECT_THROW(victim.OpenRecordset("SELECT 1"), Error);
}

}  // namespace
}  // namespace vexa
