#pragma once

// The argument reader lives with the shared helpers, as the list checker's
// command-line mode reads its arguments the same way.
#include "common/CommandLine.h"
