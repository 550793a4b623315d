// Reader of the host's shared track record.
#pragma once

namespace dislist {

// Test seam: runs after the record has been copied out of the shared view
// and before anything of it is parsed or converted. Null in the product.
extern void (*afterTrackRecordCopy)();

}  // namespace dislist
