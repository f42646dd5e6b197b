#pragma once

#include <string>

namespace testsupport {

// Fills `folder` with a few documents of the kinds the catalogue meets:
// Japanese properties in code page 932 and in UTF-8, an English document, a
// name holding 表, a compound file without summary properties and an RTF file.
void WriteSampleDocuments(const std::string& folder);

// Writes `count` small documents named doc00000.doc, doc00001.doc, ... into
// `folder`, each with its own title, author and dates.
void WriteNumberedDocuments(const std::string& folder, int count);

// Writes `count` numbered Word 2007+ documents (doc00000.docx, ...) with
// core properties and the parts a word processor writes beside them.
void WriteNumberedPackages(const std::string& folder, int count);

// Writes `count` numbered PDF files (doc00000.pdf, ...) of 20 pages each,
// with an information dictionary and XMP metadata; every other one keeps
// its objects in object streams, as newer writers do.
void WriteNumberedPdfs(const std::string& folder, int count);

// Writes `count` numbered files of the formats a mixed office folder holds,
// in turn: .doc, .docx, .xlsx, .pptx, .odt, .ods, .fodt, .rtf, .pdf, .xls.
void WriteMixedDocuments(const std::string& folder, int count);

// Writes one document of each newer format: report.docx, minutes.odt,
// memo-info.rtf (Japanese, with its information group), old-name.doc (a
// Word 2007+ document under an old name) and handbook.pdf.
void WriteNewerFormatSamples(const std::string& folder);

// The title and author every document of WriteUnicodeDocuments carries:
// characters code page 932 lacks (𠮷, é, ü, Hangul) beside ones it has.
inline constexpr const char* kUnicodeTitle = "𠮷野家の報告 — Résumé ①";
inline constexpr const char* kUnicodeAuthor = "José Müller / 김민수";

// Writes one document of each format with kUnicodeTitle and kUnicodeAuthor:
// cp1252.doc (a property set in code page 1252, which holds only the Latin
// letters: its title is "Résumé", its author "José Müller"), unicode.doc (a
// set in code page 1200), unicode.docx, unicode.odt and unicode.rtf (the
// characters as \u).
void WriteUnicodeDocuments(const std::string& folder);

}  // namespace testsupport
