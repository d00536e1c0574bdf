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

struct VEXA_API FieldInfo {
    std::string name;
    std::int32_t type = kTypeVarChar;
    std::int32_t definedSize = 0;
};

/// The rows of a query, shared by the recordset and the field objects it hands out.
struct VEXA_API RecordsetData {
    std::vector<FieldInfo> fields;
    std::vector<Variant> values;  ///< row-major, fields.size() per record
    std::int32_t recordCount = 0;
    std::int32_t position = 0;  ///< 0-based record; -1 = BOF, recordCount = EOF
    bool open = true;

    const Variant& Current(std::size_t field) const;
    void CheckOpen() const;
    void CheckCurrent() const;
};

class VEXA_API Recordset : public Object {
  public:
    explicit Recordset(std::shared_ptr<RecordsetData> data) : data_(std::move(data)) {}

    Variant Invoke(std::string_view member, std::span<const Variant> args,
                   InvokeKind kind) override;

    bool Supports(std::int32_t options) const;
    std::int32_t RecordCount() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    bool EOF_() const;
    bool BOF() const;
    std::int32_t AbsolutePosition() const;
    /// The field collection object.
    std::shared_ptr<Object> Fields() const;
    /// The field at a 0-based index or with a name (case-insensitive); 3265 when none.
    std::shared_ptr<Object> Field(const Variant& indexOrName) const;
    std::int32_t State() const { return data_->open ? 1 : 0; }
    void Close();

    const RecordsetData& Data() const { return *data_; }

  private:
    std::shared_ptr<RecordsetData> data_;
};

/// Finds a field by 0-based index or by name; raises 3265 when there is none.
std::size_t FieldIndexOf(const RecordsetData& data, const Variant& indexOrName);

/// The automation errors a recordset raises (number 0x80040000 + code, source "Recordset").
[[noreturn]] void RaiseRecordsetError(std::int32_t code);
[[noreturn]] void RaiseMemberNotFound(std::string_view member);

}  // namespace vexa

VEXA_PUBLIC_END
