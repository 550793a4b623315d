#pragma once

#include <string>
#include <string_view>

#include "plugin/host_sdk.h"

namespace dislist {

// UTF-8 text of one string property of a playlist item; empty when the item
// is null or the property cannot be read. Keeps no reference to the item.
std::string GetItemStringProperty(IAIMPPlaylistItem* item, int propertyId);

// The same read into `buffer`, reusing its storage (see WideToUtf8Into):
// the removal pass reads every item's file name through one buffer. The
// text is the view returned; it lasts until the buffer's next use.
std::string_view ReadItemStringProperty(IAIMPPlaylistItem* item, int propertyId,
                                        std::string& buffer);

}  // namespace dislist
