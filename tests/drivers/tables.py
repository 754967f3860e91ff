"""tables.py: the panel's tables as the design writes them, read from
tests/panel_tables.txt, which the C++ tests read too: the tests' own
oracle for where everything stands, apart from the program's layout.

IMAGES lists (file, x, y) in load order; LAMPS maps each lamp's name to
its drawing point; HIT_BOXES maps each target to (left, right, top,
bottom), a press at (x, y) hitting it when left < x <= right and
top < y <= bottom.
"""
import os

TABLES = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(
    __file__))), "panel_tables.txt")


def _rows(kind):
    with open(TABLES) as tables:
        for line in tables:
            fields = [field.strip() for field in line.split("#")[0].split("|")]
            if fields[0] == kind:
                yield fields[1:]


IMAGES = [(file, int(x), int(y)) for file, x, y in _rows("image")]
LAMPS = {file[:-len(".png")]: (x, y) for file, x, y in IMAGES
         if file not in ("zelm.png", "gnarlwick.png")}
OVERLAY_AT = next((x, y) for file, x, y in IMAGES if file == "gnarlwick.png")
HIT_BOXES = {row[0]: tuple(int(n) for n in row[1:5])
             for row in _rows("hitbox")}


def middle(target):
    """The point in the middle of a target's hit box."""
    left, right, top, bottom = HIT_BOXES[target]
    return ((left + right + 1) // 2, (top + bottom + 1) // 2)
