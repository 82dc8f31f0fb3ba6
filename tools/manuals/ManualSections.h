#pragma once
// The chapters of a manual numbered in the order they are left in for the
// model, and the references to them: a chapter heading "## Title {#id}"
// becomes "## 3 Title", and "{{section:id}}" becomes "3".

#include "ManualBlocks.h"

namespace kivo {

// Fails, naming the line, on a reference to an id no chapter has (a chapter
// left out for the model included) and on an id given twice.
ManualSource numberSections(const QString& markdown);

} // namespace kivo
