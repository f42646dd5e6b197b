#pragma once

#include <string>
#include <vector>

namespace cli {

// quillmark_cli bind STYLE --list LISTFILE [--page N] [--title TEXT]
//   [--folder TEXT] [--date YYYY-MM-DD] [--utf8]
int RunBind(const std::vector<std::string>& args);

// quillmark_cli render STYLE -o OUT.png [--list LISTFILE] [--page N]
//   [--title TEXT] [--folder TEXT] [--date YYYY-MM-DD] [--zoom PERCENT]
//   [--screen-dpi DPI] [--no-offsets] [--printable WxH]
int RunRender(const std::vector<std::string>& args);

// quillmark_cli print STYLE --list LISTFILE [-o OUT.pdf] [--title TEXT]
//   [--folder TEXT] [--date YYYY-MM-DD] [--printer NAME]
int RunPrint(const std::vector<std::string>& args);

}  // namespace cli
