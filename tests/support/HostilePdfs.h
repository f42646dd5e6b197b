#pragma once

#include <cstdint>
#include <string>

// Small PDF files made to cost a reader much: their structure streams
// inflate far beyond their size or declare more than they hold.
namespace testsupport {

// A PDF whose information dictionary (titled "Bomb") sits in an object
// stream that inflates to `inflated` bytes, deflated `layers` times over
// (/Filter [/FlateDecode ...]); found through a cross-reference stream.
std::string ObjectStreamBombPdf(std::uint64_t inflated, int layers);

// A PDF whose cross-reference stream declares `claimed` entries (/Size,
// no /Index) in a few bytes.
std::string CrossReferenceClaimPdf(std::uint64_t claimed);

// A PDF whose cross-reference stream really holds `entries` entries of
// free objects, deflated: a small file that inflates far.
std::string CrossReferenceBombPdf(std::uint64_t entries);

// A PDF whose information dictionary is nested `depth` arrays deep in its
// title: deeper than a reader goes.
std::string DeeplyNestedPdf(int depth);

}  // namespace testsupport
