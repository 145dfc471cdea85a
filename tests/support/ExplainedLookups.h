#pragma once

#include "detect/TMSI.h"

namespace tovrel::test {

// Runs every latest-installation lookup twice on the sources, without an observer and with one
// recording an explanation, and expects the candidate the explanation names as chosen to be
// exactly what the lookup answered (none when it answered nothing).
void ExpectExplanationsNameTheAnswers(const DetectionSources& sources);

}  // namespace tovrel::test
