#include "cli/Interrupt.h"

#include <csignal>

namespace kivo::cli {

namespace {

volatile std::sig_atomic_t caught = 0;

extern "C" void onInterrupt(int) { caught = 1; }

} // namespace

void catchInterrupt() { std::signal(SIGINT, onInterrupt); }

bool interrupted() { return caught != 0; }

} // namespace kivo::cli
