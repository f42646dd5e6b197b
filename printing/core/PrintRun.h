#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "layout/core/Pictures.h"
#include "layout/core/StyleVersion.h"
#include "printing/core/Binding.h"
#include "printing/core/ListFileCache.h"
#include "printing/core/PageDrawing.h"
#include "printing/core/Printer.h"

namespace printing {

// A style page read, converted and bound: what LoadStyle makes of a file.
struct LoadedPage {
  std::vector<std::string> lines;
  layout::HeaderValues header;
  long long capacity = 0;  // the page capacity N the binding found
};

// Reads the style file again, converts an older version, binds the page
// (the page number becomes 0 at the last page) and reads the header.
LoadedPage LoadStylePage(const std::string& stylePath, int& pageNumber, ListFileCache& list,
                         const std::string& title, const std::string& folder, Clock& clock);

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

// The name a style goes by: its file name without folder and ".sle".
std::string StyleName(const std::string& stylePath);

// The pages a list of `rows` fills at `capacity` rows a page (one page when
// the style has no capacity or the list is empty), as the binding pages it.
long long PageCount(long long rows, long long capacity);

// What the print loop draws with besides the printer.
struct PrintInputs {
  std::string stylePath;
  std::string title;   // code page 932
  std::string folder;  // code page 932
  layout::Fixed screenResolution = layout::Fixed::FromInt(96);
  int zoomPercent = 100;
  layout::PictureDecoder* pictures = nullptr;
  // The offsets the user sees on screen, which replace the style file's
  // (saved or not); without them each page takes its file's.
  std::optional<layout::Fixed> offsetX;
  std::optional<layout::Fixed> offsetY;
};

// PrintAllPages: pages 1, 2, ... each loaded, bound, its paper applied, the
// printer measured and the page drawn at the printer's resolution, until the
// binding reports the last page. A style without a page capacity prints one
// page. Returns the number of pages; `pageNumber` ends as the binding left
// it (0 after the last page). `afterPage` is told each page printed.
int PrintAllPages(Printer& printer, ListFileCache& list, const PrintInputs& inputs, Clock& clock,
                  int& pageNumber, const std::function<void(const LoadedPage&)>& afterPage = {});

}  // namespace printing
