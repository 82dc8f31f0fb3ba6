#pragma once
// One model's manual from the Markdown all models share.

#include "ManualBlocks.h"
#include "ManualModels.h"

namespace kivo {

// The blocks resolved for the model's facts, the chapters numbered, and
// "{{MODEL}}" (the model's name), "{{CODE}}" (its code, the folder of its
// screenshots) and "{{PICTURE}}" (the gauge's picture) put in. Fails on what
// those steps fail on and on any other "{{...}}" left in the text.
ManualSource manualText(const QString& markdown, const ManualModel& model);

} // namespace kivo
