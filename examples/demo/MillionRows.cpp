#include "MillionRows.h"

#include <string>

#include "vexa/system/data/Recordset.h"

namespace vexa::demo {

using namespace vexa::sys;

namespace {

constexpr std::int32_t kPageRows = 256;
constexpr const char* kColumns[] = {"id", "reading", "sensor", "taken"};

// A million sensor readings made by SQLite itself, in one statement.
void CreateReadings(Connection& db) {
    db.Execute(
        "CREATE TABLE readings (id INTEGER PRIMARY KEY, reading REAL, sensor TEXT, taken DATE);"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
        std::to_string(MillionRows::kRowCount) +
        ") INSERT INTO readings SELECT i, ((i * 7919) % 100000) / 100.0,"
        " 'Sensor ' || (i % 97 + 1), date('2026-01-01', '+' || (i % 340) || ' days') FROM n;");
}

}  // namespace

MillionRows::MillionRows(HWND form, const RECT& rect) : grid_(form, rect) {
    CreateReadings(db_);
    grid_.SetRedraw(false);
    grid_.SetDefaultRowHeight(20);
    // What each column's new cells start with: the rows the grid adds take it from there.
    const struct {
        const char* header;
        std::int32_t width;
        const char* format;
        bool right;
    } columns[] = {{"Row", 90, "#,##0", true},
                   {"Reading", 100, "#,##0.00", true},
                   {"Sensor", 110, "", false},
                   {"Taken", 150, "dddd d mmm", false}};
    for (std::size_t i = 0; i < std::size(columns); ++i) {
        grid_.AddCol(
            {.sKey = kColumns[i], .sHeader = columns[i].header, .lWidth = columns[i].width});
        const auto cell = grid_.ColDefaultCell(kColumns[i]);
        cell->SetsFmtString(columns[i].format);
        cell->SeteTextFlags(vxTextSingleLine | vxTextVCenter |
                            (columns[i].right ? vxTextRight : 0));
    }
    grid_.SetBackColorEvenRows(0xF4F0EC);
    grid_.Advise(this);
    grid_.SetVirtual(true);
    grid_.SetRedraw(true);
}

MillionRows::~MillionRows() {
    grid_.Unadvise(this);
}

void MillionRows::RequestRow(std::int32_t row, bool& noMoreRows) {
    noMoreRows = row > kRowCount;
}

void MillionRows::RequestRowData(std::int32_t row) {
    ReadPageOf(row);
    const std::vector<Variant>& values = page_[std::size_t(row - pageFirst_)];
    for (std::size_t i = 0; i < values.size(); ++i) {
        grid_.SetCellValue(row, kColumns[i], values[i]);
    }
    ++rowsServed_;
}

void MillionRows::ReadPageOf(std::int32_t row) {
    if (pageFirst_ != 0 && row >= pageFirst_ && row < pageFirst_ + std::int32_t(page_.size())) {
        return;
    }
    page_.clear();
    pageFirst_ = row;
    auto rs = db_.OpenRecordset(
        "SELECT id, reading, sensor, taken FROM readings WHERE id >= ?1 ORDER BY id LIMIT ?2",
        {Variant(row), Variant(kPageRows)});
    for (; !rs->EOF_(); rs->MoveNext()) {
        std::vector<Variant> values;
        for (std::int32_t field = 0; field < 4; ++field) {
            values.push_back(
                rs->Field(Variant(field))->Invoke("Value", {}, InvokeKind::PropertyGet));
        }
        page_.push_back(std::move(values));
    }
}

}  // namespace vexa::demo
