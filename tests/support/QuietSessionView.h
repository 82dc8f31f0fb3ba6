#pragma once
#include "session/QuietSessionView.h"

namespace kivo::testing {
using kivo::QuietSessionView;
} // namespace kivo::testing
