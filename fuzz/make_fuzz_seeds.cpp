// make_fuzz_seeds OUTFOLDER FILE...: writes the summary stream of each
// compound file given into OUTFOLDER, as seeds for the property-set fuzzer.

#include <cstdio>
#include <fstream>
#include <string>

#include "catalogue/ole/MsoleSummarySource.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: make_fuzz_seeds OUTFOLDER FILE...\n", stderr);
    return 2;
  }
  catalogue::MsoleSummarySource source;
  int written = 0;
  for (int i = 2; i < argc; ++i) {
    catalogue::SummaryStream stream = source.ReadSummaryStream(argv[i]);
    if (stream.storageCode != catalogue::kS_OK || stream.setCode != catalogue::kS_OK) {
      continue;
    }
    std::string out = std::string(argv[1]) + "/seed-" + std::to_string(i - 2);
    std::ofstream(out, std::ios::binary)
        .write(stream.bytes.data(), static_cast<std::streamsize>(stream.bytes.size()));
    ++written;
  }
  std::printf("%d seeds\n", written);
  return 0;
}
