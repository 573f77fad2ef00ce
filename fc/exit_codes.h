// The comparer's exit statuses, named in this one place. The window program
// reads them too, to tell a finished report from one cut short, so this
// header stays free of the comparer's library: it includes nothing.
#pragma once

namespace fc {

// What the process reports to its caller: the files are the same, they differ (a failed resync
// counts as a difference), or something went wrong (a bad switch, a file that cannot be used, a
// read or write error).
enum ExitCode : int {
  kExitSame = 0,
  kExitDifferent = 1,
  kExitTrouble = 2,
};

}  // namespace fc
