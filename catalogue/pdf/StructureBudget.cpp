#include "catalogue/pdf/StructureBudget.h"

#include <algorithm>
#include <qpdf/Pipeline.hh>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/Pl_RunLength.hh>
#include <stdexcept>
#include <string>

#include "catalogue/core/PdfStructureStreams.h"

namespace catalogue {

namespace {

constexpr std::uint64_t kBudgetBase = std::uint64_t{4} << 20;
constexpr std::uint64_t kBudgetPerFileByte = 32;
constexpr std::uint64_t kBudgetCeiling = std::uint64_t{128} << 20;
// No cross-reference stream of a real document describes more objects.
constexpr std::uint64_t kMostCrossReferenceSize = 8'000'000;

// Counts what a decoder gives, keeping it only when a later filter needs
// it, and stops the decoder past `limit`.
class Tally : public Pipeline {
 public:
  struct Over {};
  Tally(std::uint64_t limit, bool keep) : Pipeline("tally", nullptr), limit_(limit), keep_(keep) {}
  void write(unsigned char const* data, size_t len) override {
    if (len > limit_ - count_) {
      throw Over{};
    }
    count_ += len;
    if (keep_) {
      bytes_.append(reinterpret_cast<const char*>(data), len);
    }
  }
  void finish() override {}
  std::uint64_t Count() const { return count_; }
  std::string Take() { return std::move(bytes_); }

 private:
  std::uint64_t limit_;
  bool keep_;
  std::uint64_t count_ = 0;
  std::string bytes_;
};

enum class Weight { Fits, Over, Unknown };

// Runs `input` through a qpdf decoder into a tally.
template <typename Decoder, typename Action>
Weight Through(std::string_view input, Action action, std::uint64_t limit, bool keep,
               std::string& out, std::uint64_t& count) {
  Tally tally(limit, keep);
  try {
    Decoder decoder("decode", &tally, action);
    decoder.write(reinterpret_cast<unsigned char const*>(input.data()), input.size());
    decoder.finish();
  } catch (const Tally::Over&) {
    return Weight::Over;
  } catch (const std::exception&) {
    return Weight::Unknown;  // not this encoding (encrypted bytes, say)
  }
  count = tally.Count();
  out = tally.Take();
  return Weight::Fits;
}

// What a stream decodes to, at most `limit` bytes: its size in `count`.
Weight Decode(const PdfStructureStream& stream, std::uint64_t limit, std::uint64_t& count) {
  std::string held(stream.data);
  count = held.size();
  for (std::size_t i = 0; i < stream.filters.size(); ++i) {
    const std::string& filter = stream.filters[i];
    bool keep = i + 1 < stream.filters.size();
    std::string out;
    Weight weight = Weight::Unknown;
    if (filter == "FlateDecode" || filter == "Fl") {
      weight = Through<Pl_Flate>(held, Pl_Flate::a_inflate, limit, keep, out, count);
    } else if (filter == "RunLengthDecode" || filter == "RL") {
      weight = Through<Pl_RunLength>(held, Pl_RunLength::a_decode, limit, keep, out, count);
    } else if (filter == "ASCIIHexDecode" || filter == "AHx" || filter == "ASCII85Decode" ||
               filter == "A85") {
      bool ok = false;
      bool hex = filter == "ASCIIHexDecode" || filter == "AHx";
      out = hex ? DecodeAsciiHex(held, ok) : DecodeAscii85(held, ok);
      count = out.size();
      weight = !ok ? Weight::Unknown : count > limit ? Weight::Over : Weight::Fits;
    }
    if (weight != Weight::Fits) {
      return weight;
    }
    held = std::move(out);
  }
  return count > limit ? Weight::Over : Weight::Fits;
}

// Whether a stream declares more than its decoded bytes can hold: an
// object stream's objects need four bytes each at least ("1 0 " in its
// table), a cross-reference stream's entries their width each.
bool ClaimsBeyond(const PdfStructureStream& stream, std::uint64_t decoded) {
  if (stream.kind == PdfStructureStream::Kind::Objects) {
    return stream.objects > decoded / 4 + 1;
  }
  std::uint64_t width = std::max<std::uint64_t>(stream.entryWidth, 1);
  return stream.entries > decoded / width + 1 || stream.size > kMostCrossReferenceSize;
}

}  // namespace

std::uint64_t StructureBudgetFor(std::uint64_t fileSize) {
  if (fileSize > (kBudgetCeiling - kBudgetBase) / kBudgetPerFileByte) {
    return kBudgetCeiling;
  }
  return kBudgetBase + kBudgetPerFileByte * fileSize;
}

std::optional<std::string> StructureBeyondBudget(std::string_view pdf) {
  std::uint64_t left = StructureBudgetFor(pdf.size());
  for (const PdfStructureStream& stream : FindPdfStructureStreams(pdf)) {
    std::uint64_t decoded = 0;
    switch (Decode(stream, left, decoded)) {
      case Weight::Over: return std::string(kMsgStructureTooLarge);
      case Weight::Unknown: continue;
      case Weight::Fits: break;
    }
    if (ClaimsBeyond(stream, decoded)) {
      return std::string(kMsgStructureTooLarge);
    }
    left -= decoded;
  }
  return std::nullopt;
}

}  // namespace catalogue
