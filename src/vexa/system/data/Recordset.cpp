#include "vexa/system/data/Recordset.h"

#include <string>

#include "vexa/system/automation/RuntimeError.h"

namespace vexa {

namespace {

constexpr std::int32_t kErrItemNotFound = 3265;
constexpr std::int32_t kErrNoCurrentRecord = 3021;
constexpr std::int32_t kErrObjectClosed = 3704;

std::string_view RecordsetMessage(std::int32_t code) {
    switch (code) {
        case kErrItemNotFound:
            return "Item cannot be found in the collection corresponding to the requested name "
                   "or ordinal.";
        case kErrNoCurrentRecord:
            return "Either BOF or EOF is True, or the current record has been deleted. "
                   "Requested operation requires a current record.";
        case kErrObjectClosed:
            return "Operation is not allowed when the object is closed.";
        default:
            return "Application-defined or object-defined error";
    }
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return MemberIs(a, b);
}

const Variant& ArgAt(std::span<const Variant> args, std::size_t i) {
    if (args.size() <= i) RaiseRuntimeError(rtWrongArgumentCount);
    return args[i];
}

// One field of a recordset: its value follows the recordset's current record.
class FieldObject : public Object {
  public:
    FieldObject(std::shared_ptr<RecordsetData> data, std::size_t index)
        : data_(std::move(data)), index_(index) {}

    Variant Invoke(std::string_view member, std::span<const Variant> args,
                   InvokeKind kind) override {
        const FieldInfo& info = data_->fields[index_];
        if (kind == InvokeKind::PropertyPut) RaiseMemberNotFound(member);
        if (member.empty() || MemberIs(member, "Value")) return data_->Current(index_);
        if (MemberIs(member, "Name")) return Variant(info.name);
        if (MemberIs(member, "Type")) return Variant(info.type);
        if (MemberIs(member, "DefinedSize")) return Variant(info.definedSize);
        if (MemberIs(member, "ActualSize")) return Variant(ActualSize());
        (void)args;
        RaiseMemberNotFound(member);
    }

    std::string ClassName() const override { return "Field"; }

  private:
    std::int32_t ActualSize() const {
        const Variant& value = data_->Current(index_);
        if (value.IsNull()) return -1;
        if (value.IsString()) return std::int32_t(value.StringRef().size());
        return data_->fields[index_].definedSize;
    }

    std::shared_ptr<RecordsetData> data_;
    std::size_t index_;
};

// The field collection of a recordset: Count and Item (its default member).
class FieldsObject : public Object {
  public:
    explicit FieldsObject(std::shared_ptr<RecordsetData> data) : data_(std::move(data)) {}

    Variant Invoke(std::string_view member, std::span<const Variant> args,
                   InvokeKind kind) override {
        if (kind == InvokeKind::PropertyPut) RaiseMemberNotFound(member);
        if (MemberIs(member, "Count")) return Variant(std::int32_t(data_->fields.size()));
        if (member.empty() || MemberIs(member, "Item")) {
            const std::size_t index = FieldIndexOf(*data_, ArgAt(args, 0));
            return Variant(std::make_shared<FieldObject>(data_, index));
        }
        RaiseMemberNotFound(member);
    }

    std::string ClassName() const override { return "Fields"; }

  private:
    std::shared_ptr<RecordsetData> data_;
};

}  // namespace

[[noreturn]] void RaiseRecordsetError(std::int32_t code) {
    throw Error(static_cast<std::int32_t>(0x800A0000u + std::uint32_t(code)), "Recordset",
                std::string(RecordsetMessage(code)));
}

[[noreturn]] void RaiseMemberNotFound(std::string_view /*member*/) {
    RaiseRuntimeError(rtMemberNotSupported);
}

void RecordsetData::CheckOpen() const {
    if (!open) RaiseRecordsetError(kErrObjectClosed);
}

void RecordsetData::CheckCurrent() const {
    CheckOpen();
    if (position < 0 || position >= recordCount) RaiseRecordsetError(kErrNoCurrentRecord);
}

const Variant& RecordsetData::Current(std::size_t field) const {
    CheckCurrent();
    return values[std::size_t(position) * fields.size() + field];
}

std::size_t FieldIndexOf(const RecordsetData& data, const Variant& indexOrName) {
    data.CheckOpen();
    if (indexOrName.IsString()) {
        for (std::size_t i = 0; i < data.fields.size(); ++i) {
            if (EqualsNoCase(data.fields[i].name, indexOrName.StringRef())) return i;
        }
        RaiseRecordsetError(kErrItemNotFound);
    }
    if (!indexOrName.IsNumeric()) RaiseRecordsetError(kErrItemNotFound);
    const double index = indexOrName.ToDouble();
    if (index < 0 || index >= double(data.fields.size())) RaiseRecordsetError(kErrItemNotFound);
    return std::size_t(index);
}

std::shared_ptr<Recordset> Recordset::FromRows(std::vector<FieldInfo> fields,
                                               std::vector<Variant> values,
                                               std::int32_t recordCount) {
    auto data = std::make_shared<RecordsetData>();
    data->fields = std::move(fields);
    data->values = std::move(values);
    data->recordCount = recordCount;
    data->position = 0;
    return std::make_shared<Recordset>(std::move(data));
}

Variant Recordset::Invoke(std::string_view member, std::span<const Variant> args, InvokeKind kind) {
    if (kind == InvokeKind::PropertyPut) RaiseMemberNotFound(member);
    if (MemberIs(member, "Supports")) return Variant(Supports(ArgAt(args, 0).ToLong()));
    if (MemberIs(member, "RecordCount")) return Variant(RecordCount());
    if (MemberIs(member, "EOF")) return Variant(EOF_());
    if (MemberIs(member, "BOF")) return Variant(BOF());
    if (MemberIs(member, "AbsolutePosition")) return Variant(AbsolutePosition());
    if (MemberIs(member, "State")) return Variant(State());
    if (MemberIs(member, "Fields"))
        return args.empty() ? Variant(Fields()) : Variant(Field(args[0]));
    if (member.empty() || MemberIs(member, "Collect")) return Variant(Field(ArgAt(args, 0)));
    if (MemberIs(member, "MoveFirst"))
        MoveFirst();
    else if (MemberIs(member, "MoveNext"))
        MoveNext();
    else if (MemberIs(member, "MovePrevious"))
        MovePrevious();
    else if (MemberIs(member, "MoveLast"))
        MoveLast();
    else if (MemberIs(member, "Close"))
        Close();
    else
        RaiseMemberNotFound(member);
    return Variant();
}

bool Recordset::Supports(std::int32_t options) const {
    data_->CheckOpen();
    constexpr std::int32_t supported = kHoldRecords | kMovePrevious | kBookmark | kApproxPosition;
    return (options & ~supported) == 0;
}

std::int32_t Recordset::RecordCount() const {
    data_->CheckOpen();
    return data_->recordCount;
}

void Recordset::MoveFirst() {
    data_->CheckOpen();
    data_->position = 0;
}

void Recordset::MoveLast() {
    data_->CheckOpen();
    if (data_->recordCount == 0) RaiseRecordsetError(kErrNoCurrentRecord);
    data_->position = data_->recordCount - 1;
}

void Recordset::MoveNext() {
    data_->CheckOpen();
    if (data_->position >= data_->recordCount) RaiseRecordsetError(kErrNoCurrentRecord);
    ++data_->position;
}

void Recordset::MovePrevious() {
    data_->CheckOpen();
    if (data_->position < 0) RaiseRecordsetError(kErrNoCurrentRecord);
    --data_->position;
}

// With no records, both BOF and EOF are true, as recordset consumers expect.
bool Recordset::EOF_() const {
    data_->CheckOpen();
    return data_->position >= data_->recordCount;
}

bool Recordset::BOF() const {
    data_->CheckOpen();
    return data_->position < 0 || data_->recordCount == 0;
}

std::int32_t Recordset::AbsolutePosition() const {
    data_->CheckOpen();
    if (data_->position < 0 || data_->position >= data_->recordCount) return -1;
    return data_->position + 1;
}

std::shared_ptr<Object> Recordset::Fields() const {
    data_->CheckOpen();
    return std::make_shared<FieldsObject>(data_);
}

std::shared_ptr<Object> Recordset::Field(const Variant& indexOrName) const {
    return std::make_shared<FieldObject>(data_, FieldIndexOf(*data_, indexOrName));
}

void Recordset::Close() {
    data_->CheckOpen();
    data_->open = false;
}

}  // namespace vexa
