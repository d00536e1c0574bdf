#include "vexa/model/GridErrors.h"

#include <string>

namespace vexa {

std::string_view GridErrorMessage(std::int32_t code) {
    switch (code) {
        case kErrInternal:
            return "General Protection Fault /internal error/.";
        case kErrSubscriptOutOfRange:
            return "Subscript out of range.";
        case kErrInvalidArgument:
            return "Invalid procedure call or argument.";
        case kErrDuplicateKey:
            return "This key is already associated with an element of this collection.";
        case kErrNoColumns:
            return "Attempt to add rows with no columns.";
        case kErrSecondRowTextCol:
            return "Attempt to add more than one row text column.";
        case kErrImageListExpected:
            return "This property expects an ImageList object or a long hImageList handle.";
        case kErrMaxBelowMin:
            return "Column maximum width can not be less than its minimum width.";
        case kErrWidthOutsideLimits:
            return "Column width can not be less than its minimum width or greater than its "
                   "maximum width.";
        default:
            return {};
    }
}

Error MakeGridError(std::int32_t code) {
    return Error(GridErrorNumber(code), std::string(kGridErrorSource),
                 std::string(GridErrorMessage(code)));
}

void RaiseGridError(std::int32_t code) {
    throw MakeGridError(code);
}

}  // namespace vexa
