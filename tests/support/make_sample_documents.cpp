// Writes sample documents into a folder:
//   make_sample_documents FOLDER            a few documents of every kind
//   make_sample_documents FOLDER --count N  N numbered documents

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include "tests/support/SampleDocuments.h"

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--count")) {
    std::fputs("usage: make_sample_documents FOLDER [--count N]\n", stderr);
    return 2;
  }
  try {
    std::filesystem::create_directories(argv[1]);
    if (argc == 4) {
      testsupport::WriteNumberedDocuments(argv[1], std::atoi(argv[3]));
    } else {
      testsupport::WriteSampleDocuments(argv[1]);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_sample_documents: %s\n", e.what());
    return 1;
  }
  return 0;
}
