"""A private X server for the benchmarks that start the window program."""

import os
import subprocess
import sys


def start_xvfb():
    """Starts Xvfb on a free display; returns the server's process and the display's name."""
    read_end, write_end = os.pipe()
    # -noreset: the server would otherwise reset each time the last program left, and refuse
    # the next one meanwhile.
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
         "-noreset"],
        pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as f:
        display = f.readline().strip()
    if not display:
        server.kill()
        sys.exit("Xvfb did not start")
    return server, ":" + display
