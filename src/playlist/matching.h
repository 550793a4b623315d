// The two rules that decide what a user loses: which item is the previous
// track, and which items are protected. Pure functions over UTF-8 bytes.
#pragma once

#include <string_view>

namespace dislist {

// Same bytes over the whole length, with only the ASCII letters A-Z and a-z
// counted equal regardless of case. No other folding, no path normalisation.
bool SameTrackName(std::string_view a, std::string_view b);

// True when the display text holds "!delete" in any ASCII letter case.
bool HasDeleteMarker(std::string_view displayText);

}  // namespace dislist
