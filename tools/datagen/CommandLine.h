#pragma once
// The generator's command line: one subcommand per kind of embedded text.

#include <iosfwd>
#include <string>
#include <vector>

namespace orvane::datagen {

// Runs the subcommand named by args[0] (args exclude the program name). Returns the exit
// status: 0 done, 1 bad input data or a file error (message on `err`), 2 bad arguments (usage
// on `err`). Statistics requested with --stats go to `out`.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace orvane::datagen
