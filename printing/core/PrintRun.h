#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "layout/core/Pictures.h"
#include "printing/core/PageDrawing.h"
#include "printing/core/PrintState.h"
#include "printing/core/Printer.h"

namespace printing {

// The program's name at the front of every print job's title (UTF-8).
inline constexpr const char* kJobTitleProgram = "ワード・クイルマーク";

// The title of one page's print job (UTF-8), which the queue shows and a
// PDF printer names its file after: the page ("3/20" when the page count is
// known, pageCount > 0, else "p3"), the style's name and the program. The
// page comes first: cups-pdf escapes every non-ASCII byte as four
// characters and cuts the name at 64, so a title that began with the
// program's Japanese name would give every page of a run the same file.
std::string JobTitle(const std::string& styleName, int page, long long pageCount);

// The title of a file that holds a whole run (UTF-8): the style's name and
// the program.
std::string DocumentTitle(const std::string& styleName);

// The name a style goes by: its file name without folder and ".sle", each
// control character a blank.
std::string StyleName(const std::string& stylePath);

// The pages a list of `rows` fills at `capacity` rows a page (one page when
// the style has no capacity or the list is empty), as the binding pages it.
long long PageCount(long long rows, long long capacity);

// What the print loop draws with besides the printer and the style.
struct PrintInputs {
  layout::Fixed screenResolution = layout::Fixed::FromInt(96);
  int zoomPercent = 100;
  layout::PictureDecoder* pictures = nullptr;
  // The offsets the user sees on screen, which replace the style file's
  // (saved or not); without them each page takes its file's.
  std::optional<layout::Fixed> offsetX;
  std::optional<layout::Fixed> offsetY;
  // Where the pictures that could not be read are told (once each); the
  // pages are printed without them.
  std::vector<std::string>* pictureFailures = nullptr;
};

// PrintAllPages: pages 1, 2, ... of the loaded style each bound, its paper
// (as the style's header gives it) applied, the printer measured and the
// page drawn at the printer's resolution, until the binding reports the last
// page. A style without a page capacity prints one page. Returns the number
// of pages; the state then shows the last page printed, its page number as
// the binding left it (0 after the last page).
int PrintAllPages(Printer& printer, PrintState& state, const PrintInputs& inputs);

}  // namespace printing
