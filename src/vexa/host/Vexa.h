// The grid control a host program places on one of its windows.
#pragma once

#include <memory>

namespace vexa {

class Vexa {
public:
    Vexa();
    ~Vexa();
    Vexa(const Vexa&) = delete;
    Vexa& operator=(const Vexa&) = delete;

    // ---- Grid store: columns, rows, keys, row memory ----

    // ---- Cell values and attributes ----

    // ---- Column and row attributes ----

    // ---- Virtual mode and recordset fill ----

    // ---- Sorting ----

    // ---- Events ----

private:
    // ---- Grid store state ----

    // ---- Cell values state ----

    // ---- Column and row attributes state ----

    // ---- Virtual mode state ----

    // ---- Sorting state ----

    // ---- Events state ----
};

}  // namespace vexa
