// Writes sample documents into a folder:
//   make_sample_documents FOLDER            a few documents of every kind
//   make_sample_documents FOLDER --count N  N numbered documents
//   make_sample_documents FOLDER --count N --docx  N numbered Word 2007+ documents

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include "tests/support/SampleDocuments.h"

int main(int argc, char** argv) {
  bool docx = argc == 5 && std::string(argv[4]) == "--docx";
  if (argc != 2 && !((argc == 4 || docx) && std::string(argv[2]) == "--count")) {
    std::fputs("usage: make_sample_documents FOLDER [--count N [--docx]]\n", stderr);
    return 2;
  }
  try {
    std::filesystem::create_directories(argv[1]);
    if (docx) {
      testsupport::WriteNumberedPackages(argv[1], std::atoi(argv[3]));
    } else if (argc == 4) {
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
