#pragma once

// The print window as the program makes it, with the style designer it
// opens, on a recorded printer and a fixed day, over a program fixture's
// folder, dialogs and desktop.

#include "designer/ui/StyleDesigner.h"
#include "printing/ui/PrintWindow.h"
#include "tests/app/ProgramFixture.h"
#include "tests/support/FakePrinter.h"
#include "tests/support/PrintWindowServicesForTests.h"

namespace app {

struct PrintWindowWithDesigner {
  testsupport::FakePrinter printer;
  printing::FixedClock clock{*printing::MakeDate(2026, 12, 7)};
  printing::PrintWindow window;

  explicit PrintWindowWithDesigner(ProgramFixture& program)
      : window(Services(program, printer, clock)) {}

 private:
  static printing::PrintWindowServices Services(ProgramFixture& program,
                                                testsupport::FakePrinter& printer,
                                                printing::Clock& clock) {
    printing::PrintWindowServices s = testsupport::PrintWindowServicesFor(
        program.paths, program.dialogs, program.desktop, printer, clock);
    s.designers = designer::DesignerWindows(program.dialogs, program.desktop,
                                            program.paths.SettingsFile(), QString());
    return s;
  }
};

}  // namespace app
