#include <gtest/gtest.h>

#include "vexa/system/data/Connection.h"
#include "vexa/system/data/Recordset.h"
#include "vexa/system/data/SampleDatabase.h"

namespace vexa {
namespace {

class RecordsetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        db.Execute(
            "CREATE TABLE items (id INTEGER, code SMALLINT, big BIGINT, name VARCHAR(40), "
            "note TEXT, price MONEY, weight REAL, ok BOOLEAN, born DATE, amount DECIMAL(10,2), "
            "data BLOB);"
            "INSERT INTO items VALUES (1, 7, 5000000000, 'Bolt', 'long', 2.5, 1.25, 1, "
            "'2024-03-01', 12.34, x'0102');"
            "INSERT INTO items VALUES (2, NULL, NULL, NULL, NULL, NULL, NULL, 0, NULL, NULL, "
            "NULL);");
    }

    Variant FieldMember(const std::shared_ptr<Recordset>& rs, const Variant& field,
                        std::string_view member) {
        const Variant args[] = {field};
        return GetMember(CallMember(rs, "Fields", args).ToObject(), member);
    }

    Connection db{":memory:"};
};

TEST_F(RecordsetTest, DeclaredTypesMapToFieldTypeCodes) {
    auto rs = db.OpenRecordset("SELECT * FROM items");
    const std::int32_t expected[] = {
        kTypeInteger, kTypeSmallInt, kTypeBigInt, kTypeVarChar, kTypeLongVarChar,  kTypeCurrency,
        kTypeDouble,  kTypeBoolean,  kTypeDate,   kTypeDecimal, kTypeLongVarBinary};
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(FieldMember(rs, i, "Type").ToLong(), expected[i]) << "field " << i;
    }
    EXPECT_EQ(FieldMember(rs, "name", "DefinedSize").ToLong(), 40);
    EXPECT_EQ(FieldMember(rs, "ID", "Name").ToString(), "id");
}

TEST_F(RecordsetTest, StoredValuesBecomeVariantsOfTheFieldType) {
    auto rs = db.OpenRecordset("SELECT * FROM items ORDER BY id");
    EXPECT_EQ(FieldMember(rs, "id", "Value").Type(), vtLong);
    EXPECT_EQ(FieldMember(rs, "code", "Value").Type(), vtInteger);
    EXPECT_DOUBLE_EQ(FieldMember(rs, "big", "Value").ToDouble(), 5000000000.0);
    EXPECT_EQ(FieldMember(rs, "name", "").ToString(), "Bolt");
    EXPECT_EQ(FieldMember(rs, "price", "Value").Type(), vtCurrency);
    EXPECT_EQ(FieldMember(rs, "price", "Value").ToCurrencyScaled(), 25000);
    EXPECT_EQ(FieldMember(rs, "ok", "Value"), Variant(true));
    EXPECT_EQ(FieldMember(rs, "born", "Value").Type(), vtDate);
    EXPECT_EQ(FieldMember(rs, "amount", "Value").Type(), vtDecimal);
    EXPECT_TRUE(FieldMember(rs, "data", "Value").IsArray());
}

TEST_F(RecordsetTest, CurrencyScalesWholeNumbersExactlyAndKeepsNumbersBeyondItsRange) {
    db.Execute(
        "CREATE TABLE money (m MONEY);"
        "INSERT INTO money VALUES (900000000000123), (1e16), (-1e300), (12.34567);");
    auto rs = db.OpenRecordset("SELECT m FROM money ORDER BY rowid");
    const Variant whole = FieldMember(rs, 0, "Value");
    ASSERT_EQ(whole.Type(), vtCurrency);
    EXPECT_EQ(whole.ToCurrencyScaled(), 9000000000001230000LL);
    rs->MoveNext();
    const Variant wholeBeyond = FieldMember(rs, 0, "Value");  // stored as an integer
    EXPECT_NE(wholeBeyond.Type(), vtCurrency);
    EXPECT_DOUBLE_EQ(wholeBeyond.ToDouble(), 1e16);
    rs->MoveNext();
    const Variant realBeyond = FieldMember(rs, 0, "Value");
    EXPECT_EQ(realBeyond.Type(), vtDouble);
    EXPECT_DOUBLE_EQ(realBeyond.ToDouble(), -1e300);
    rs->MoveNext();
    EXPECT_EQ(FieldMember(rs, 0, "Value").ToCurrencyScaled(), 123457);  // four decimals
}

TEST_F(RecordsetTest, NullsAreNullWhateverTheType) {
    auto rs = db.OpenRecordset("SELECT * FROM items WHERE id = 2");
    for (int i = 1; i < 11; ++i) {
        if (i == 7) continue;  // the boolean column holds 0
        EXPECT_TRUE(FieldMember(rs, i, "Value").IsNull()) << "field " << i;
    }
    EXPECT_EQ(FieldMember(rs, "ok", "Value"), Variant(false));
}

TEST_F(RecordsetTest, NavigationThroughLateBoundMembers) {
    auto rs = db.OpenRecordset("SELECT id FROM items ORDER BY id");
    const Variant bookmarks[] = {8192};
    EXPECT_TRUE(CallMember(rs, "Supports", bookmarks).ToBoolean());
    EXPECT_EQ(GetMember(rs, "RecordCount").ToLong(), 2);
    EXPECT_FALSE(GetMember(rs, "EOF").ToBoolean());
    CallMember(rs, "MoveNext");
    EXPECT_EQ(FieldMember(rs, 0, "Value").ToLong(), 2);
    CallMember(rs, "MoveNext");
    EXPECT_TRUE(GetMember(rs, "EOF").ToBoolean());
    EXPECT_THROW(FieldMember(rs, 0, "Value"), Error);
    CallMember(rs, "MoveLast");
    CallMember(rs, "MovePrevious");
    EXPECT_EQ(FieldMember(rs, 0, "Value").ToLong(), 1);
    CallMember(rs, "MovePrevious");
    EXPECT_TRUE(GetMember(rs, "BOF").ToBoolean());
    CallMember(rs, "MoveFirst");
    EXPECT_EQ(GetMember(GetMember(rs, "Fields").ToObject(), "Count").ToLong(), 1);
}

TEST_F(RecordsetTest, EmptyResultIsAtBothEnds) {
    auto rs = db.OpenRecordset("SELECT id FROM items WHERE id > 5");
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_TRUE(rs->EOF_());
    EXPECT_TRUE(rs->BOF());
}

TEST_F(RecordsetTest, ExpressionColumnsTakeTheTypeOfTheirValues) {
    auto rs = db.OpenRecordset("SELECT COUNT(*) AS n, 'x' || name AS t FROM items");
    EXPECT_EQ(FieldMember(rs, "n", "Type").ToLong(), kTypeInteger);
    EXPECT_EQ(FieldMember(rs, "t", "Type").ToLong(), kTypeVarWChar);
}

TEST_F(RecordsetTest, ErrorsCarryTheDatabaseMessage) {
    try {
        db.OpenRecordset("SELECT nope FROM items");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.Number(), kDatabaseErrorNumber);
        EXPECT_NE(e.Description().find("no such column"), std::string::npos);
    }
    auto rs = db.OpenRecordset("SELECT id FROM items");
    EXPECT_THROW(FieldMember(rs, "missing", "Value"), Error);
    EXPECT_THROW(FieldMember(rs, 3, "Value"), Error);
    EXPECT_THROW(GetMember(rs, "Bogus"), Error);
    rs->Close();
    EXPECT_THROW(rs->RecordCount(), Error);
}

TEST_F(RecordsetTest, ParametersAreBoundNotSpliced) {
    db.Execute("INSERT INTO items (id, name) VALUES (?1, ?2)", {Variant(3), Variant("O'Brien")});
    auto rs = db.OpenRecordset("SELECT name FROM items WHERE id = ?1", {Variant(3)});
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(FieldMember(rs, 0, "Value").ToString(), "O'Brien");
}

TEST(SampleDatabaseTest, ProductsTableHasTypedFieldsAndSomeNulls) {
    Connection db(":memory:");
    CreateProductsTable(db, 40);
    auto rs = db.OpenRecordset("SELECT * FROM products ORDER BY id");
    EXPECT_EQ(rs->RecordCount(), 40);
    EXPECT_EQ(GetMember(rs->Field("discontinued"), "Type").ToLong(), kTypeBoolean);
    EXPECT_EQ(GetMember(rs->Field("price"), "Value").Type(), vtCurrency);
    EXPECT_EQ(GetMember(rs->Field("added"), "Value").Type(), vtDate);
    auto nulls = db.OpenRecordset("SELECT id FROM products WHERE stock IS NULL");
    EXPECT_EQ(nulls->RecordCount(), 2);  // ids 17 and 34
}

}  // namespace
}  // namespace vexa
