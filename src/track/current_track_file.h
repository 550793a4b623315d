// The current-track file "AIMP_CURRENT_TRACK.txt" beside the library.
#pragma once

#include <string>

namespace dislist {

// The part after the last "\" or "/"; the whole text when it has neither;
// empty when it is empty or ends with a separator.
std::string NamePart(const std::string& fileName);

// Replaces the file's content with the name part of `fileName`, logging the
// outcome. Writes nothing while the path is not set.
void WriteCurrentTrackFile(const std::string& fileName);

}  // namespace dislist
