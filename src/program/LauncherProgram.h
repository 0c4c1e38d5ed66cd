#pragma once

// The launcher's window program: all that `qel` does once it has started the module of --start
// and the check of the password. It lives in a library of its own, loaded only then, so that the
// program starts those two before it loads the window system's libraries: they are most of the
// time a program takes to start.

namespace qel::launcher {
struct CommandLine;
class EarlyModuleStart;
class EarlyPasswordCheck;
} // namespace qel::launcher

extern "C" int qelLauncherProgram(int argc, char* argv[], const qel::launcher::CommandLine& line,
                                  qel::launcher::EarlyPasswordCheck* early, qel::launcher::EarlyModuleStart* module);

namespace qel::program {

using LauncherProgram = decltype(&qelLauncherProgram);
inline constexpr const char* kLauncherProgramSymbol = "qelLauncherProgram";
inline constexpr const char* kLauncherLibrary = "libqel_launcher.so";

} // namespace qel::program
