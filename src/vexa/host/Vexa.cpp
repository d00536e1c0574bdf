#include "vexa/host/Vexa.h"

namespace vexa {

Vexa::Vexa() = default;
Vexa::~Vexa() = default;

}  // namespace vexa
