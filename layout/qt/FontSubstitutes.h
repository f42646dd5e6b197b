#pragma once

namespace layout {

// Maps the Windows face names that styles and the interface use (ＭＳ 明朝,
// MS Gothic, ...) to the installed Japanese fonts that stand in for them.
// Done once per process, before any text is drawn: by the program's set-up,
// by quillmark_cli before it draws, and by every drawing surface.
void RegisterWindowsFontSubstitutes();

}  // namespace layout
