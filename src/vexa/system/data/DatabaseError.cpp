#include "vexa/system/data/DatabaseError.h"

#include <string>

namespace vexa {

void RaiseDatabaseError(std::string_view message) {
    // Servers end their messages with a line break; the description is the message alone.
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
        message.remove_suffix(1);
    }
    throw Error(kDatabaseErrorNumber, "Connection", std::string(message));
}

}  // namespace vexa
