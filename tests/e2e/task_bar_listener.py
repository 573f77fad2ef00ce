#!/usr/bin/python3
"""Records the task-bar progress signals on the session bus, as a dock reads
them: one line each, "<entry> <progress> <visible>", appended to the file
named first. The file named second is made once the listener listens.
"""
import sys

from gi.repository import Gio, GLib

INTERFACE = "com.canonical.Unity.LauncherEntry"


def main():
    record_path, ready_path = sys.argv[1], sys.argv[2]
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    record = open(record_path, "a", buffering=1)

    def update(_bus, _sender, _path, _interface, _signal, parameters):
        entry, properties = parameters.unpack()
        visible = properties.get("progress-visible")
        record.write(f"{entry} {properties.get('progress')!r} {str(visible).lower()}\n")

    bus.signal_subscribe(None, INTERFACE, "Update", None, None, Gio.DBusSignalFlags.NONE, update)
    # The bus handles a connection's messages in order: once this call is
    # answered, the subscription is in place.
    bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                  "GetId", None, None, Gio.DBusCallFlags.NONE, -1, None)
    open(ready_path, "w").close()
    GLib.MainLoop().run()


main()
