#include "vexa/binding/CursorBinding.h"

#include "vexa/system/automation/Log.h"
#include "vexa/system/automation/Object.h"

namespace vexa {

CursorBinding::CursorBinding(Vexa& grid, PostgresConnection& connection, const std::string& sql,
                             const std::vector<Variant>& params, std::int32_t pageRows)
    : grid_(grid), cursor_(connection, sql, params, pageRows) {
    grid_.FillFromRS(Variant(cursor_.EmptyRecordset()));
    PairColumnsWithFields();
    grid_.Advise(this);
    grid_.SetVirtual(true);
    // Switching the mode on asks for nothing by itself: painting asks for the rows in view.
    grid_.Draw();
}

CursorBinding::~CursorBinding() {
    grid_.Unadvise(this);
    // Nobody answers requests any more: rows asked for now would come without values.
    try {
        grid_.SetVirtual(false);
    } catch (...) {
        LogSwallowedException("CursorBinding");
    }
}

void CursorBinding::PairColumnsWithFields() {
    const std::vector<FieldInfo>& fields = cursor_.Fields();
    for (std::int32_t col = 1; col <= grid_.ColCount(); ++col) {
        const std::string key = grid_.ColKey(col);
        for (std::size_t f = 0; f < fields.size(); ++f) {
            if (MemberIs(fields[f].name, key)) {
                columnFields_.emplace_back(col, f);
                break;
            }
        }
    }
}

void CursorBinding::RequestRow(std::int32_t lRow, bool& bNoMoreRows) {
    try {
        bNoMoreRows = cursor_.Row(lRow) == nullptr;
    } catch (const Error& error) {
        lastError_ = error;
        bNoMoreRows = true;
    }
}

void CursorBinding::RequestRowData(std::int32_t lRow) {
    // The row's page was fetched when the row was asked for: this reads it without a fetch.
    const Variant* values = cursor_.Row(lRow);
    if (values == nullptr) return;
    for (const auto& [col, field] : columnFields_) grid_.SetCellValue(lRow, col, values[field]);
}

}  // namespace vexa
