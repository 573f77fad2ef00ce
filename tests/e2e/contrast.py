"""Measures, from screenshots of the two windows, the contrast of every text
against what is behind it, as WCAG defines contrast.

  contrast.py painted main|about IMAGE
      succeeds once every text area of the window holds more than one colour
  contrast.py measure THEME MAIN_IMAGE ABOUT_IMAGE [--light] [--report]
      prints one line per text and fails when a text stays under 4.5:1; with
      --light, also when the About window's texts are not black or its rule
      is not grey and white; with --report, only prints
"""

import sys
from collections import Counter

from PIL import Image

# Where each text lies, in pixels of the client area: (name, left, top,
# width, height). Fields and buttons are taken inside their frames, and the
# tick boxes to the right of their boxes, so that only a text and what is
# behind it are measured.
MAIN_TEXTS = [
    ("Label1", 21, 26, 42, 19),
    ("Label2", 21, 66, 41, 27),
    ("txtSource", 69, 25, 195, 14),
    ("txtTarget", 69, 65, 195, 14),
    ("cmdBrowseSource", 269, 25, 14, 14),
    ("cmdBrowseTarget", 269, 65, 14, 14),
    ("cmdCompare", 190, 102, 92, 17),
    ("cmdAdvanced", 37, 103, 92, 17),
    ("cmdAbout", 278, 3, 51, 10),
    ("chkA", 31, 149, 300, 17),
    ("chkB", 31, 171, 300, 17),
    ("chkC", 31, 193, 300, 17),
    ("chkN", 31, 215, 300, 17),
    ("chkT", 31, 237, 300, 17),
    ("chkW", 31, 260, 300, 17),
    ("chkL", 31, 282, 300, 17),
    ("txtLB", 17, 304, 48, 15),
    ("Label3", 77, 304, 245, 17),
    ("txtMinMatch", 17, 326, 48, 15),
    ("Label4", 77, 323, 237, 30),
]

ABOUT_TEXTS = [
    ("lblTitle", 70, 16, 259, 30),
    ("lblVersion", 70, 46, 259, 15),
    ("lblDescription", 70, 69, 259, 27),
    ("lblWeb", 69, 98, 259, 52),
    ("lblDisclaimer", 16, 178, 274, 31),
    ("cmdOK", 294, 179, 76, 15),
]

# The texts drawn in a colour of the program's own choosing.
BLACK_ON_LIGHT = {"lblDescription", "lblWeb", "lblDisclaimer"}

# The etched rule: a one-pixel shadow line with a two-pixel light line under it.
RULE_X, RULE_SHADOW_Y, RULE_LIGHT_Y = 200, 163, 164

READABLE = 4.5


def luminance(rgb):
    def channel(value):
        value /= 255
        return value / 12.92 if value <= 0.04045 else ((value + 0.055) / 1.055) ** 2.4

    r, g, b = (channel(v) for v in rgb[:3])
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = luminance(a), luminance(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


def colours(image, area):
    _, left, top, width, height = area
    right = min(left + width, image.width)
    bottom = min(top + height, image.height)
    box = image.crop((left, top, right, bottom))
    return Counter(box.getdata())


def measure_text(image, area):
    """The background (the commonest colour), the text colour and the
    contrast between them. The text colour is that of the glyphs' full
    strokes, not of their smoothed edges: of all pixels, the one that stands
    out second most from the background, so that at least two pixels reach
    it (buttons have gradient faces, so a text's colour need not repeat
    exactly)."""
    counts = colours(image, area)
    background = counts.most_common(1)[0][0]
    ranked = sorted(counts.elements(), key=lambda c: contrast(c, background), reverse=True)
    text = ranked[1] if len(ranked) > 1 else background
    return background, text, contrast(text, background)


def hex_colour(rgb):
    return "#%02x%02x%02x" % tuple(rgb[:3])


def painted(kind, path):
    image = Image.open(path).convert("RGB")
    areas = MAIN_TEXTS if kind == "main" else ABOUT_TEXTS
    return all(len(colours(image, area)) > 1 for area in areas)


def measure(theme, main_path, about_path, light, report_only):
    faults = []
    for window, path, areas in (("main", main_path, MAIN_TEXTS), ("About", about_path, ABOUT_TEXTS)):
        image = Image.open(path).convert("RGB")
        for area in areas:
            name = area[0]
            background, text, ratio = measure_text(image, area)
            print("%-12s %-6s %-16s text %s on %s  %5.2f:1"
                  % (theme, window, name, hex_colour(text), hex_colour(background), ratio))
            if ratio < READABLE:
                faults.append("%s in the %s window: %.2f:1" % (name, window, ratio))
            if light and name in BLACK_ON_LIGHT and text[:3] != (0, 0, 0):
                faults.append("%s is %s, not black" % (name, hex_colour(text)))
        if window == "About":
            face = measure_text(image, areas[0])[0]
            shadow = image.getpixel((RULE_X, RULE_SHADOW_Y))
            lights = [image.getpixel((RULE_X, RULE_LIGHT_Y + i)) for i in (0, 1)]
            print("%-12s About  etched rule      %s over %s on %s"
                  % (theme, hex_colour(shadow), hex_colour(lights[0]), hex_colour(face)))
            if light and (shadow != (128, 128, 128) or lights != [(255, 255, 255)] * 2):
                faults.append("the rule is not grey over white")
            if shadow == face or face in lights:
                faults.append("the rule does not show on the face")
    if faults and not report_only:
        for fault in faults:
            print("FAIL (%s): %s" % (theme, fault), file=sys.stderr)
        return 1
    return 0


def main(argv):
    if len(argv) == 4 and argv[1] == "painted":
        return 0 if painted(argv[2], argv[3]) else 1
    if len(argv) >= 5 and argv[1] == "measure":
        return measure(argv[2], argv[3], argv[4], "--light" in argv, "--report" in argv)
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
