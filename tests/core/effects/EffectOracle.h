#pragma once

#include "core/effects/CompiledEffects.h"
#include "core/project/EditImgDoc.h"

namespace lumaro::test {

// The compiled data of doc, computed by a plain transcription of the rules:
// a fresh grid per mode, linear duplicate checks, linear table look-ups.
// Slow on purpose; the randomized tests compare the real compiler with it.
CCompiledEffects CompileEffectsOracle(const CEditImgDoc& doc);

} // namespace lumaro::test
