// Writes a few valid track records to the folder given, as fuzzing seeds.
#include <cstdio>
#include <string>

#include "track_record_builder.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  standin::TrackRecord full = standin::FullRecord(L"Album", L"Artist", L"1999", L"C:\\Music\\Song.mp3", L"Rock",
      L"Title", 215000, 320, 44100, 2);
  standin::TrackRecord nameOnly;
  nameOnly.fileName = L"a.mp3";
  const standin::TrackRecord empty;
  const standin::TrackRecord* seeds[] = {&full, &nameOnly, &empty};
  int index = 0;
  for (const standin::TrackRecord* seed : seeds) {
    const auto bytes = standin::BuildTrackRecord(*seed);
    const std::string path = std::string(argv[1]) + "/seed" + std::to_string(index++);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 1;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  return 0;
}
