/// \file
/// A static recordset over the result of an SQLite query, callable by member name like the
/// recordsets hosts know: Supports, RecordCount, MoveFirst/MoveNext/MovePrevious/MoveLast,
/// EOF, BOF, AbsolutePosition, Fields (Count, Item by 0-based index or name; each Field with
/// Name, Type, Value as default member, DefinedSize), State and Close.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "vexa/system/automation/Object.h"
#include "vexa/system/automation/Variant.h"

#include "vexa/Export.h"

VEXA_PUBLIC_BEGIN

namespace vexa {

/// Data type codes of a field, as recordset consumers expect them.
enum DataTypeCode : std::int32_t {
    kTypeSmallInt = 2,
    kTypeInteger = 3,
    kTypeSingle = 4,
    kTypeDouble = 5,
    kTypeCurrency = 6,
    kTypeDate = 7,
    kTypeBoolean = 11,
    kTypeDecimal = 14,
    kTypeBigInt = 20,
    kTypeNumeric = 131,
    kTypeVarChar = 200,
    kTypeVarWChar = 202,
    kTypeLongVarChar = 203,
    kTypeLongVarBinary = 205,
};

/// Cursor options a recordset may support (Supports).
enum CursorOption : std::int32_t {
    kHoldRecords = 0x100,
    kMovePrevious = 0x200,
    kBookmark = 0x2000,
    kApproxPosition = 0x4000,
};

/// A field's name, data type (DataTypeCode) and defined size.
struct VEXA_API FieldInfo {
    /**@{*/
    /// The field's name, data type (DataTypeCode) and defined size.
    std::string name;
    std::int32_t type = kTypeVarChar;
    std::int32_t definedSize = 0;
    /**@}*/
};

/// The rows of a query, shared by the recordset and the field objects it hands out.
struct VEXA_API RecordsetData {
    /// The fields, in the query's order.
    std::vector<FieldInfo> fields;
    std::vector<Variant> values;  ///< row-major, fields.size() per record
    /// How many records there are.
    std::int32_t recordCount = 0;
    std::int32_t position = 0;  ///< 0-based record; -1 = BOF, recordCount = EOF
    /// False once the recordset was closed.
    bool open = true;

    /// The value of a field in the current record; raises as CheckCurrent does.
    const Variant& Current(std::size_t field) const;
    /**@{*/
    /// Raise the recordset's error when it is closed, and when there is no current record.
    void CheckOpen() const;
    void CheckCurrent() const;
    /**@}*/
};

/// A static recordset over the rows of a query (Connection::OpenRecordset), with a current record.
class VEXA_API Recordset : public Object {
  public:
    /// A recordset over `data`, positioned where `data` is.
    explicit Recordset(std::shared_ptr<RecordsetData> data) : data_(std::move(data)) {}
    /// A recordset over rows a query gave: `values` row-major, fields.size() per record;
    /// positioned on the first record.
    static std::shared_ptr<Recordset> FromRows(std::vector<FieldInfo> fields,
                                               std::vector<Variant> values,
                                               std::int32_t recordCount);

    Variant Invoke(std::string_view member, std::span<const Variant> args,
                   InvokeKind kind) override;

    /// Whether the recordset supports every CursorOption in `options` (it supports them all).
    bool Supports(std::int32_t options) const;
    /// How many records there are.
    std::int32_t RecordCount() const;
    /**@{*/
    /// Move the current record to the first, last, next or previous one; MoveNext and
    /// MovePrevious step past the ends to EOF and BOF, and raise the no-current-record error
    /// when already there.
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    /**@}*/
    /**@{*/
    /// Whether the position is past the last record or before the first (both when there is none).
    bool EOF_() const;
    bool BOF() const;
    /**@}*/
    /// The 1-based position of the current record; -1 at BOF or EOF.
    std::int32_t AbsolutePosition() const;
    /// The field collection object.
    std::shared_ptr<Object> Fields() const;
    /// The field at a 0-based index or with a name (case-insensitive); 3265 when none.
    std::shared_ptr<Object> Field(const Variant& indexOrName) const;
    /// 1 while open, 0 once closed.
    std::int32_t State() const { return data_->open ? 1 : 0; }
    /// Closes the recordset; its members then raise the closed-object error.
    void Close();

    /// The records and the position.
    const RecordsetData& Data() const { return *data_; }

  private:
    std::shared_ptr<RecordsetData> data_;
};

/// Finds a field by 0-based index or by name; raises 3265 when there is none.
std::size_t FieldIndexOf(const RecordsetData& data, const Variant& indexOrName);

/// The automation errors a recordset raises (number 0x80040000 + code, source "Recordset").
[[noreturn]] void RaiseRecordsetError(std::int32_t code);
/// Raises 438, the error for a member the object does not have.
[[noreturn]] void RaiseMemberNotFound(std::string_view member);

}  // namespace vexa

VEXA_PUBLIC_END
