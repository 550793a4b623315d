#pragma once

#include <string>

#include "plugin/host_sdk.h"

namespace dislist {

// UTF-8 text of one string property of a playlist item; empty when the item
// is null or the property cannot be read. Keeps no reference to the item.
std::string GetItemStringProperty(IAIMPPlaylistItem* item, int propertyId);

// The same into `text`, reusing its storage: the removal pass reads every
// item's file name through one buffer.
void ReadItemStringProperty(IAIMPPlaylistItem* item, int propertyId, std::string& text);

}  // namespace dislist
