// Writes sample documents into a folder:
//   make_sample_documents FOLDER            a few documents of every kind
//   make_sample_documents FOLDER --count N  N numbered documents
//   make_sample_documents FOLDER --count N --docx  N numbered Word 2007+ documents
//   make_sample_documents FOLDER --count N --pdf   N numbered PDF files of 20 pages
//   make_sample_documents FOLDER --count N --mixed N numbered files of ten formats

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include "tests/support/SampleDocuments.h"

int main(int argc, char** argv) {
  std::string kind = argc == 5 ? argv[4] : "";
  bool known = argc != 5 || kind == "--docx" || kind == "--pdf" || kind == "--mixed";
  if (argc != 2 && !((argc == 4 || argc == 5) && known && std::string(argv[2]) == "--count")) {
    std::fputs("usage: make_sample_documents FOLDER [--count N [--docx | --pdf | --mixed]]\n",
               stderr);
    return 2;
  }
  try {
    std::filesystem::create_directories(argv[1]);
    int count = argc >= 4 ? std::atoi(argv[3]) : 0;
    if (kind == "--docx") {
      testsupport::WriteNumberedPackages(argv[1], count);
    } else if (kind == "--pdf") {
      testsupport::WriteNumberedPdfs(argv[1], count);
    } else if (kind == "--mixed") {
      testsupport::WriteMixedDocuments(argv[1], count);
    } else if (argc == 4) {
      testsupport::WriteNumberedDocuments(argv[1], count);
    } else {
      testsupport::WriteSampleDocuments(argv[1]);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_sample_documents: %s\n", e.what());
    return 1;
  }
  return 0;
}
