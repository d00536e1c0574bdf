#include "vexa/host/Vexa.h"

namespace vexa {

void Vexa::Advise(VexaEvents* sink) {
    mEvents.Advise(sink);
}

void Vexa::Unadvise(VexaEvents* sink) {
    mEvents.Unadvise(sink);
}

}  // namespace vexa
