#include <algorithm>

#include "vexa/host/Vexa.h"

namespace vexa {

void Vexa::Advise(VexaEvents* sink) {
    if (sink && !IsAdvised(sink)) mSinks.push_back(sink);
}

void Vexa::Unadvise(VexaEvents* sink) {
    std::erase(mSinks, sink);
}

bool Vexa::IsAdvised(const VexaEvents* sink) const {
    return std::find(mSinks.begin(), mSinks.end(), sink) != mSinks.end();
}

}  // namespace vexa
