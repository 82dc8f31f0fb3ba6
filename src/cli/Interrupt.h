#pragma once
// Ctrl+C (SIGINT) for kivo-cli: caught and remembered, so a running command
// ends as Escape ends it in the window, and nothing is left half-written.

namespace kivo::cli {

void catchInterrupt();
bool interrupted();

} // namespace kivo::cli
