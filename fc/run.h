// One run of the comparer, from the command line to the exit status.
#pragma once

#include <string>
#include <vector>

#include "fc/exit_codes.h"

namespace fc {

// Runs the comparer on the arguments after the program name, writing the report (complaints
// included) to `out_fd`, and to `err_fd` only a failure to write that report (none when the
// reader has gone away) or running out of memory. Returns the exit status: kExitSame,
// kExitDifferent or kExitTrouble.
ExitCode RunComparer(const std::vector<std::string>& args, int out_fd, int err_fd);

}  // namespace fc
