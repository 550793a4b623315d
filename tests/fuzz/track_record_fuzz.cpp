// Any bytes at all: the parser must never read outside them, and what it
// accepts must describe texts lying back to back inside them.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "remote/track_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exactly sized copy, so AddressSanitizer sees the first byte past it.
  unsigned char* bytes = static_cast<unsigned char*>(std::malloc(size == 0 ? 1 : size));
  if (size != 0) std::memcpy(bytes, data, size);

  dislist::TrackRecordLayout layout;
  const bool ok = dislist::ParseTrackRecord(bytes, size, layout);

  // Independent 64-bit bound: the record is readable exactly when the header
  // fits and the six lengths fit after it.
  bool fits = size >= 88;
  std::uint64_t end = 88;
  for (int i = 0; fits && i < 6; ++i) {
    std::uint32_t units;
    std::memcpy(&units, bytes + 40 + 4 * i, 4);
    end += 2ull * units;
  }
  if (fits && end > size) fits = false;
  if (ok != fits) std::abort();

  if (ok) {
    const dislist::RecordText* texts[] = {&layout.album, &layout.artist, &layout.date,
                                          &layout.fileName, &layout.genre, &layout.title};
    std::size_t cursor = 88;
    unsigned sum = 0;
    for (const dislist::RecordText* text : texts) {
      if (text->units == 0) continue;
      if (text->offset != cursor) std::abort();
      for (std::size_t i = 0; i < 2 * text->units; ++i) sum += bytes[text->offset + i];
      cursor += 2 * text->units;
    }
    if (cursor > size) std::abort();
    volatile unsigned sink = sum;
    (void)sink;
  }
  std::free(bytes);
  return 0;
}
