"""A GTK 3 window whose button can be dragged away, offering data as a file manager does.

Usage: drag_source.py RESULT TYPE=DATA [TYPE=DATA...]

Each TYPE=DATA offers DATA under the MIME type TYPE (text/uri-list, text/plain). Lines are
added to the file RESULT as the drag goes: "action N" each time the drop target under the
pointer answers with another action than before (0 for none, 2 for copy), then "dropped" when
the target took the data or "refused" when it did not. A button released before the target
has answered drops nothing, so whoever drags waits for the answer.
"""

import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, Gtk  # noqa: E402


def main():
    result_path = sys.argv[1]
    offers = [arg.split("=", 1) for arg in sys.argv[2:]]
    failed = []

    def record(line):
        with open(result_path, "a") as result:
            result.write(line + "\n")

    def on_begin(_widget, context):
        context.connect("action-changed", lambda _context, action: record("action %d" % action))

    def on_data_get(_widget, _context, selection, info, _time):
        selection.set(selection.get_target(), 8, offers[info][1].encode())

    def on_failed(_widget, _context, _result):
        failed.append(True)
        record("refused")
        return True  # no animation of the icon flying back

    def on_end(_widget, _context):
        if not failed:
            record("dropped")
        failed.clear()

    window = Gtk.Window(title="Drag source")
    window.set_default_size(160, 80)
    window.move(800, 600)
    button = Gtk.Button(label="Drag me")
    targets = [Gtk.TargetEntry.new(mime, 0, index) for index, (mime, _) in enumerate(offers)]
    button.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, targets,
                           Gdk.DragAction.COPY | Gdk.DragAction.MOVE | Gdk.DragAction.LINK)
    button.connect("drag-begin", on_begin)
    button.connect("drag-data-get", on_data_get)
    button.connect("drag-failed", on_failed)
    button.connect("drag-end", on_end)
    window.add(button)
    window.connect("destroy", Gtk.main_quit)
    window.show_all()
    Gtk.main()


if __name__ == "__main__":
    main()
