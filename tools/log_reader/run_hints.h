// What went wrong in a run of the player, and the one thing to do about it,
// from what the log recorded of that run and nothing else: a run whose log
// shows no problem gets no hint.
#pragma once

#include <string>
#include <vector>

#include "log_scanner.h"

namespace dislist_log {

// One plain sentence per problem, in the order the run met them.
std::vector<std::string> RunHints(const RunSummary& run);

}  // namespace dislist_log
