#pragma once

#include "core/effects/CompiledEffects.h"
#include "core/effects/EffectSet.h"

namespace lumaro {

// "Creat Data": expands the text modes, gives every mode of a working copy
// of the mode list its effect class code, colour-list index and lamp order
// or band list, and compiles the 32 program groups. The user's records are
// never changed.
CCompiledEffects CompileEffects(const CEffectSet& effects);

// Upper bound of the background colours a text mode appends after a row:
// a step read from a file could otherwise ask for gigabytes.
inline constexpr std::int64_t kMaxWordStepTriples = 100000;

} // namespace lumaro
