#pragma once

#include "launcher/CommandLine.h"

namespace qel::launcher {

class EarlyModuleStart;
class EarlyPasswordCheck;

// The launcher with its windows: the environment (offered on the first start), the
// database, the login (the dialog, or --user/--password), the main window and, with
// --start, the module. Runs the event loop; answers the exit code. A password given on the
// command line may already be under check (`early`), and the module of --start already
// started, waiting for the window (`module`).
class LauncherApplication {
public:
    static int run(const CommandLine& line, EarlyPasswordCheck* early = nullptr, EarlyModuleStart* module = nullptr);
};

} // namespace qel::launcher
