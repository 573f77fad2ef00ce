// fc: compares two files and reports their differences. See `fc /?`.
#include <signal.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "fc/run.h"

int main(int argc, char** argv) {
  // A reader that goes away must show up as a write error, not kill the comparer silently.
  signal(SIGPIPE, SIG_IGN);
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return fc::RunComparer(args, STDOUT_FILENO, STDERR_FILENO);
}
