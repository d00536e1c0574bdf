// A store of rows with tagged cells for sort tests, and callbacks that answer as the grid does.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "vexa/model/GridStore.h"
#include "vexa/sort/ShellSortObject.h"
#include "vexa/sort/SortCallbacks.h"

namespace vexa::testing {

// Rows whose last column holds the row's original number, so the order is readable after.
class SortFixture {
  public:
    explicit SortFixture(std::int32_t valueColumns = 1) : valueColumns_(valueColumns) {
        for (int i = 0; i <= valueColumns; ++i) store.InsertColumn(NewColumn{}, 64, 0);
    }

    // Appends a row with these values in columns 1.. and its number in the last column.
    void AddRow(const std::vector<Variant>& values, bool groupRow = false) {
        NewRow row;
        row.groupRow = groupRow;
        const std::int32_t r = store.InsertRow(row, 0, store.CheckNewRow(row));
        for (std::size_t c = 0; c < values.size(); ++c) {
            store.Cell(std::int32_t(c) + 1, r).value = values[c];
        }
        store.Cell(valueColumns_ + 1, r).value = Variant(r);
    }

    // The original numbers of the rows in their present order.
    std::vector<int> Order() const {
        std::vector<int> order;
        for (std::int32_t r = 1; r <= store.RowCount(); ++r) {
            order.push_back(int(store.Cell(valueColumns_ + 1, r).value.ToLong()));
        }
        return order;
    }

    GridStore store;

  private:
    std::int32_t valueColumns_;
};

class RecordingCallbacks : public SortCallbacks {
  public:
    std::string SortCellText(std::int32_t col, std::int32_t row) override {
        ++textRequests;
        return store->Cell(col, row).value.IsNull() ? std::string()
                                                    : store->Cell(col, row).value.ToString();
    }
    bool CustomSortIsGreater(Variant& v1, Variant& v2) override {
        ++customCalls;
        return customAnswer ? customAnswer(v1, v2) : false;
    }

    GridStore* store = nullptr;
    std::function<bool(Variant&, Variant&)> customAnswer;
    int textRequests = 0;
    int customCalls = 0;
};

}  // namespace vexa::testing
