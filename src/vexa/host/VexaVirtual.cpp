// Virtual mode and the fill from a recordset.
#include <array>
#include <vector>

#include "vexa/host/GridParts.h"
#include "vexa/host/Vexa.h"
#include "vexa/model/CellObject.h"
#include "vexa/model/GridErrors.h"

namespace vexa {

namespace {

constexpr std::int32_t kSupportsRecordCount = 8192;  // bookmarks and approximate positions
constexpr std::int32_t kFieldTypeBoolean = 11;
constexpr std::int32_t kTextRightFlag = 2;

// The integer, floating, currency, decimal and numeric field types show right-aligned.
bool IsNumericFieldType(std::int32_t type) {
    static constexpr std::array<std::int32_t, 13> numeric = {2,  3,  4,  5,  6,  14, 16,
                                                             17, 18, 19, 20, 21, 131};
    for (std::int32_t t : numeric) {
        if (t == type) return true;
    }
    return false;
}

struct FieldColumn {
    std::shared_ptr<Object> field;
    std::int32_t col = 0;
};

// A failing single step of the fill is skipped, whatever the recordset threw.
template <class Step>
void Tolerantly(Step&& step) {
    try {
        step();
    } catch (...) {
        LogSwallowedException("FillFromRS");
    }
}

// The count the recordset tells, or -1 when it does not: no support for it, a count of -1,
// or a member that fails (then the records are counted by walking, as without support).
std::int32_t ToldRecordCount(const std::shared_ptr<Object>& rs) {
    std::int32_t count = -1;
    Tolerantly([&] {
        const Variant option[] = {Variant(kSupportsRecordCount)};
        if (CallMember(rs, "Supports", option).ToBoolean()) {
            count = GetMember(rs, "RecordCount").ToLong();
        }
    });
    return count;
}

// Walks from the first record to EOF; a member that fails ends the walk with the records
// counted so far.
std::int32_t WalkedRecordCount(const std::shared_ptr<Object>& rs) {
    std::int32_t count = 0;
    Tolerantly([&] {
        CallMember(rs, "MoveFirst");
        while (!GetMember(rs, "EOF").ToBoolean()) {
            ++count;
            CallMember(rs, "MoveNext");
        }
    });
    return count;
}

std::shared_ptr<Object> FieldOf(const std::shared_ptr<Object>& rs, const Variant& indexOrName) {
    const Variant args[] = {indexOrName};
    return CallMember(rs, "Fields", args).ToObject();
}

// The default cell of a new column shows the field's kind: check boxes for booleans,
// right-aligned numbers.
void AdjustDefaultCell(const std::shared_ptr<CellObject>& defaultCell, std::int32_t fieldType) {
    if (!defaultCell) return;
    if (fieldType == kFieldTypeBoolean) {
        defaultCell->SeteType(vxCellCheck);
    } else if (IsNumericFieldType(fieldType)) {
        defaultCell->SeteTextFlags(defaultCell->eTextFlags() | kTextRightFlag);
    }
}

// The value a field stands for: its default member.
Variant FieldValue(const std::shared_ptr<Object>& field) {
    return GetMember(field, "Value");
}

}  // namespace

bool Vexa::Virtual() const {
    return parts_->virtualRows.enabled;
}

void Vexa::SetVirtual(bool value) {
    parts_->store.CheckShapeUnlocked();
    parts_->virtualRows.enabled = value;
    parts_->virtualRows.moreRowsAvailable = value;
    PropertyChanged("Virtual");
}

bool Vexa::RequestVirtualRow(std::int32_t row) {
    // Painting stays off for the whole request, however it ends.
    struct Requesting {
        explicit Requesting(bool& flag) : flag(flag) { flag = true; }
        ~Requesting() { flag = false; }
        bool& flag;
    } requesting(parts_->virtualRows.requesting);
    // Painting asks on purpose: the row comes in the middle of its walk.
    TableWalkPause pause(parts_->store);

    bool noMoreRows = false;
    parts_->events.Raise("RequestRow", [&](VexaEvents& e) { e.RequestRow(row, noMoreRows); });
    if (noMoreRows) {
        parts_->virtualRows.moreRowsAvailable = false;
        ApplyLayout(parts_->geometry.Layout());
        return false;
    }
    // A row that cannot be added (the host removed the last column meanwhile) is no row:
    // painting and the keyboard carry on, and no data is asked for it.
    bool added = false;
    try {
        AddRow();
        added = true;
    } catch (...) {
    }
    ApplyLayout(parts_->geometry.Layout());
    if (added)
        parts_->events.Raise("RequestRowData", [&](VexaEvents& e) { e.RequestRowData(row); });
    return added;
}

void Vexa::FillFromRS(const Variant& rs) {
    parts_->store.CheckShapeUnlocked();
    if (!rs.IsObject() || !rs.ToObject()) RaiseGridError(kErrInvalidArgument);
    const std::shared_ptr<Object> recordset = rs.ToObject();
    const bool redraw = Redraw();
    SetRedraw(false);
    std::int32_t records = ToldRecordCount(recordset);
    if (records == -1) records = WalkedRecordCount(recordset);

    std::vector<FieldColumn> paired;
    if (ColCount() > 0) {
        Clear(false);
        for (std::int32_t p = 1; p <= ColCount(); ++p) {
            const ColumnRecord& column = parts_->store.Columns().At(p);
            Tolerantly([&] { paired.push_back({FieldOf(recordset, column.key), column.index}); });
        }
    } else {
        std::int32_t fields = 0;
        Tolerantly([&] {
            fields = GetMember(GetMember(recordset, "Fields").ToObject(), "Count").ToLong();
        });
        for (std::int32_t j = 0; j < fields; ++j) {
            Tolerantly([&] {
                auto field = FieldOf(recordset, Variant(j));
                const std::string name = GetMember(field, "Name").ToString();
                auto defaultCell = AddCol(name, name);
                // The column just appended, not column j + 1: once a field has been left
                // out (a repeated name is refused as a key), j + 1 names another field's
                // column or none.
                paired.push_back({field, parts_->store.Columns().At(ColCount()).index});
                AdjustDefaultCell(defaultCell, GetMember(field, "Type").ToLong());
            });
        }
    }

    Tolerantly([&] { SetRowCount(records); });
    if (RowCount() > 0) {
        Tolerantly([&] { CallMember(recordset, "MoveFirst"); });
        for (std::int32_t r = 1; r <= RowCount(); ++r) {
            for (const FieldColumn& pair : paired) {
                Tolerantly([&] { SetCellValue(r, pair.col, FieldValue(pair.field)); });
            }
            Tolerantly([&] { CallMember(recordset, "MoveNext"); });
        }
    }
    SetRedraw(redraw);
}

}  // namespace vexa
