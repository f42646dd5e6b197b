#include "printing/core/PaperSizes.h"

namespace printing {

namespace {

// The printer paper codes 1 to 118 with their published names and sizes.
constexpr PaperSize kPapers[kPaperCount] = {
    {1, "Letter 8 1/2 x 11 in", 8.5, 11, PaperUnit::Inch},
    {2, "Letter Small 8 1/2 x 11 in", 8.5, 11, PaperUnit::Inch},
    {3, "Tabloid 11 x 17 in", 11, 17, PaperUnit::Inch},
    {4, "Ledger 17 x 11 in", 17, 11, PaperUnit::Inch},
    {5, "Legal 8 1/2 x 14 in", 8.5, 14, PaperUnit::Inch},
    {6, "Statement 5 1/2 x 8 1/2 in", 5.5, 8.5, PaperUnit::Inch},
    {7, "Executive 7 1/4 x 10 1/2 in", 7.25, 10.5, PaperUnit::Inch},
    {8, "A3 297 x 420 mm", 297, 420, PaperUnit::Millimetre},
    {9, "A4 210 x 297 mm", 210, 297, PaperUnit::Millimetre},
    {10, "A4 Small 210 x 297 mm", 210, 297, PaperUnit::Millimetre},
    {11, "A5 148 x 210 mm", 148, 210, PaperUnit::Millimetre},
    {12, "B4 (JIS) 250 x 354", 257, 364, PaperUnit::Millimetre},
    {13, "B5 (JIS) 182 x 257 mm", 182, 257, PaperUnit::Millimetre},
    {14, "Folio 8 1/2 x 13 in", 8.5, 13, PaperUnit::Inch},
    {15, "Quarto 215 x 275 mm", 215, 275, PaperUnit::Millimetre},
    {16, "10x14 in", 10, 14, PaperUnit::Inch},
    {17, "11x17 in", 11, 17, PaperUnit::Inch},
    {18, "Note 8 1/2 x 11 in", 8.5, 11, PaperUnit::Inch},
    {19, "Envelope #9 3 7/8 x 8 7/8", 3.875, 8.875, PaperUnit::Inch},
    {20, "Envelope #10 4 1/8 x 9 1/2", 4.125, 9.5, PaperUnit::Inch},
    {21, "Envelope #11 4 1/2 x 10 3/8", 4.5, 10.375, PaperUnit::Inch},
    {22, "Envelope #12 4 3/4 x 11", 4.75, 11, PaperUnit::Inch},
    {23, "Envelope #14 5 x 11 1/2", 5, 11.5, PaperUnit::Inch},
    {24, "C size sheet", 17, 22, PaperUnit::Inch},
    {25, "D size sheet", 22, 34, PaperUnit::Inch},
    {26, "E size sheet", 34, 44, PaperUnit::Inch},
    {27, "Envelope DL 110 x 220mm", 110, 220, PaperUnit::Millimetre},
    {28, "Envelope C5 162 x 229 mm", 162, 229, PaperUnit::Millimetre},
    {29, "Envelope C3  324 x 458 mm", 324, 458, PaperUnit::Millimetre},
    {30, "Envelope C4  229 x 324 mm", 229, 324, PaperUnit::Millimetre},
    {31, "Envelope C6  114 x 162 mm", 114, 162, PaperUnit::Millimetre},
    {32, "Envelope C65 114 x 229 mm", 114, 229, PaperUnit::Millimetre},
    {33, "Envelope B4  250 x 353 mm", 250, 353, PaperUnit::Millimetre},
    {34, "Envelope B5  176 x 250 mm", 176, 250, PaperUnit::Millimetre},
    {35, "Envelope B6  176 x 125 mm", 176, 125, PaperUnit::Millimetre},
    {36, "Envelope 110 x 230 mm", 110, 230, PaperUnit::Millimetre},
    {37, "Envelope Monarch 3.875 x 7.5 in", 3.875, 7.5, PaperUnit::Inch},
    {38, "6 3/4 Envelope 3 5/8 x 6 1/2 in", 3.625, 6.5, PaperUnit::Inch},
    {39, "US Std Fanfold 14 7/8 x 11 in", 14.875, 11, PaperUnit::Inch},
    {40, "German Std Fanfold 8 1/2 x 12 in", 8.5, 12, PaperUnit::Inch},
    {41, "German Legal Fanfold 8 1/2 x 13 in", 8.5, 13, PaperUnit::Inch},
    {42, "B4 (ISO) 250 x 353 mm", 250, 353, PaperUnit::Millimetre},
    {43, "Japanese Postcard 100 x 148 mm", 100, 148, PaperUnit::Millimetre},
    {44, "9 x 11 in", 9, 11, PaperUnit::Inch},
    {45, "10 x 11 in", 10, 11, PaperUnit::Inch},
    {46, "15 x 11 in", 15, 11, PaperUnit::Inch},
    {47, "Envelope Invite 220 x 220 mm", 220, 220, PaperUnit::Millimetre},
    {48, "RESERVED--DO NOT USE", 0, 0, PaperUnit::None},
    {49, "RESERVED--DO NOT USE", 0, 0, PaperUnit::None},
    {50, "Letter Extra 9 1/2 x 12 in", 9.5, 12, PaperUnit::Inch},
    {51, "Legal Extra 9 1/2 x 15 in", 9.5, 15, PaperUnit::Inch},
    {52, "Tabloid Extra 11.69 x 18 in", 11.69, 18, PaperUnit::Inch},
    {53, "A4 Extra 9.27 x 12.69 in", 9.27, 12.69, PaperUnit::Inch},
    {54, "Letter Transverse 8 1/2 x 11 in", 8.5, 11, PaperUnit::Inch},
    {55, "A4 Transverse 210 x 297 mm", 210, 297, PaperUnit::Millimetre},
    {56, "Letter Extra Transverse 9 1/2 x 12 in", 9.5, 12, PaperUnit::Inch},
    {57, "SuperA/SuperA/A4 227 x 356 mm", 227, 356, PaperUnit::Millimetre},
    {58, "SuperB/SuperB/A3 305 x 487 mm", 305, 487, PaperUnit::Millimetre},
    {59, "Letter Plus 8.5 x 12.69 in", 8.5, 12.69, PaperUnit::Inch},
    {60, "A4 Plus 210 x 330 mm", 210, 330, PaperUnit::Millimetre},
    {61, "A5 Transverse 148 x 210 mm", 148, 210, PaperUnit::Millimetre},
    {62, "B5 (JIS) Transverse 182 x 257 mm", 182, 257, PaperUnit::Millimetre},
    {63, "A3 Extra 322 x 445 mm", 322, 445, PaperUnit::Millimetre},
    {64, "A5 Extra 174 x 235 mm", 174, 235, PaperUnit::Millimetre},
    {65, "B5 (ISO) Extra 201 x 276 mm", 201, 276, PaperUnit::Millimetre},
    {66, "A2 420 x 594 mm", 420, 594, PaperUnit::Millimetre},
    {67, "A3 Transverse 297 x 420 mm", 297, 420, PaperUnit::Millimetre},
    {68, "A3 Extra Transverse 322 x 445 mm", 322, 445, PaperUnit::Millimetre},
    {69, "Japanese Double Postcard 200 x 148 mm", 200, 148, PaperUnit::Millimetre},
    {70, "A6 105 x 148 mm", 105, 148, PaperUnit::Millimetre},
    {71, "Japanese Envelope Kaku #2", 240, 332, PaperUnit::Millimetre},
    {72, "Japanese Envelope Kaku #3", 216, 277, PaperUnit::Millimetre},
    {73, "Japanese Envelope Chou #3", 120, 235, PaperUnit::Millimetre},
    {74, "Japanese Envelope Chou #4", 90, 205, PaperUnit::Millimetre},
    {75, "Letter Rotated 11 x 8 1/2 11 in", 11, 8.5, PaperUnit::Inch},
    {76, "A3 Rotated 420 x 297 mm", 420, 297, PaperUnit::Millimetre},
    {77, "A4 Rotated 297 x 210 mm", 297, 210, PaperUnit::Millimetre},
    {78, "A5 Rotated 210 x 148 mm", 210, 148, PaperUnit::Millimetre},
    {79, "B4 (JIS) Rotated 364 x 257 mm", 364, 257, PaperUnit::Millimetre},
    {80, "B5 (JIS) Rotated 257 x 182 mm", 257, 182, PaperUnit::Millimetre},
    {81, "Japanese Postcard Rotated 148 x 100 mm", 148, 100, PaperUnit::Millimetre},
    {82, "Double Japanese Postcard Rotated 148 x 200 mm", 148, 200, PaperUnit::Millimetre},
    {83, "A6 Rotated 148 x 105 mm", 148, 105, PaperUnit::Millimetre},
    {84, "Japanese Envelope Kaku #2 Rotated", 332, 240, PaperUnit::Millimetre},
    {85, "Japanese Envelope Kaku #3 Rotated", 277, 216, PaperUnit::Millimetre},
    {86, "Japanese Envelope Chou #3 Rotated", 235, 120, PaperUnit::Millimetre},
    {87, "Japanese Envelope Chou #4 Rotated", 205, 90, PaperUnit::Millimetre},
    {88, "B6 (JIS) 128 x 182 mm", 128, 182, PaperUnit::Millimetre},
    {89, "B6 (JIS) Rotated 182 x 128 mm", 182, 128, PaperUnit::Millimetre},
    {90, "12 x 11 in", 12, 11, PaperUnit::Inch},
    {91, "Japanese Envelope You #4", 105, 235, PaperUnit::Millimetre},
    {92, "Japanese Envelope You #4 Rotated", 235, 105, PaperUnit::Millimetre},
    {93, "PRC 16K 146 x 215 mm", 146, 215, PaperUnit::Millimetre},
    {94, "PRC 32K 97 x 151 mm", 97, 151, PaperUnit::Millimetre},
    {95, "PRC 32K(Big) 97 x 151 mm", 97, 151, PaperUnit::Millimetre},
    {96, "PRC Envelope #1 102 x 165 mm", 102, 165, PaperUnit::Millimetre},
    {97, "PRC Envelope #2 102 x 176 mm", 102, 176, PaperUnit::Millimetre},
    {98, "PRC Envelope #3 125 x 176 mm", 125, 176, PaperUnit::Millimetre},
    {99, "PRC Envelope #4 110 x 208 mm", 110, 208, PaperUnit::Millimetre},
    {100, "PRC Envelope #5 110 x 220 mm", 110, 220, PaperUnit::Millimetre},
    {101, "PRC Envelope #6 120 x 230 mm", 120, 230, PaperUnit::Millimetre},
    {102, "PRC Envelope #7 160 x 230 mm", 160, 230, PaperUnit::Millimetre},
    {103, "PRC Envelope #8 120 x 309 mm", 120, 309, PaperUnit::Millimetre},
    {104, "PRC Envelope #9 229 x 324 mm", 229, 324, PaperUnit::Millimetre},
    {105, "PRC Envelope #10 324 x 458 mm", 324, 458, PaperUnit::Millimetre},
    {106, "PRC 16K Rotated", 215, 146, PaperUnit::Millimetre},
    {107, "PRC 32K Rotated", 151, 97, PaperUnit::Millimetre},
    {108, "PRC 32K(Big) Rotated", 151, 97, PaperUnit::Millimetre},
    {109, "PRC Envelope #1 Rotated 165 x 102 mm", 165, 102, PaperUnit::Millimetre},
    {110, "PRC Envelope #2 Rotated 176 x 102 mm", 176, 102, PaperUnit::Millimetre},
    {111, "PRC Envelope #3 Rotated 176 x 125 mm", 176, 125, PaperUnit::Millimetre},
    {112, "PRC Envelope #4 Rotated 208 x 110 mm", 208, 110, PaperUnit::Millimetre},
    {113, "PRC Envelope #5 Rotated 220 x 110 mm", 220, 110, PaperUnit::Millimetre},
    {114, "PRC Envelope #6 Rotated 230 x 120 mm", 230, 120, PaperUnit::Millimetre},
    {115, "PRC Envelope #7 Rotated 230 x 160 mm", 230, 160, PaperUnit::Millimetre},
    {116, "PRC Envelope #8 Rotated 309 x 120 mm", 309, 120, PaperUnit::Millimetre},
    {117, "PRC Envelope #9 Rotated 324 x 229 mm", 324, 229, PaperUnit::Millimetre},
    {118, "PRC Envelope #10 Rotated 458 x 324 mm", 458, 324, PaperUnit::Millimetre},
};

}  // namespace

const PaperSize* PaperOfCode(int code) {
  return code >= 1 && code <= kPaperCount ? &kPapers[code - 1] : nullptr;
}

std::string PaperLabel(int entry) {
  if (entry == 0) {
    return kPaperListHeading;
  }
  if (entry == layout::kCustomPaperEntry) {
    return "ユーザー定義サイズ";
  }
  const PaperSize* paper = PaperOfCode(entry);
  return paper != nullptr ? paper->label : std::string();
}

std::string PaperLabel(int entry, const std::optional<layout::CustomPaperSize>& custom) {
  if (entry == layout::kCustomPaperEntry && custom) {
    return "ユーザー定義 " + custom->widthMm.ToString() + " x " + custom->heightMm.ToString() +
           " mm";
  }
  return PaperLabel(entry);
}

}  // namespace printing
