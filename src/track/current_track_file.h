// The current-track file "AIMP_CURRENT_TRACK.txt" beside the library.
#pragma once

#include <string>

#include "base/text_rules.h"  // NamePart: what the file holds of a name

namespace dislist {

// Replaces the file's content with the name part of `fileName`, logging the
// outcome. Writes nothing while the path is not set.
void WriteCurrentTrackFile(const std::string& fileName);

}  // namespace dislist
