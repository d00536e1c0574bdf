#include "vexa/system/data/DatabaseError.h"

#include <string>

namespace vexa {

// Client libraries write a message over several lines, indented, ending in a line break; the
// description is one line, as a message box or a log shows it best.
void RaiseDatabaseError(std::string_view message) {
    std::string line;
    bool pendingSpace = false;
    for (const char c : message) {
        if (c == '\n' || c == '\t' || c == '\r' || c == ' ') {
            pendingSpace = !line.empty();
            continue;
        }
        if (pendingSpace) line += ' ';
        pendingSpace = false;
        line += c;
    }
    throw Error(kDatabaseErrorNumber, "Connection", std::move(line));
}

}  // namespace vexa
