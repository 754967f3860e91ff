"""art_test.py: the committed images are the renderer's, and they fit.

Usage: art_test.py ZELM_ART SOURCE_DIR.  Renders the artwork afresh and
compares it with data/ pixel for pixel (whatever zlib wrote), and the icon
byte for byte, so that art sources and images never drift apart; then
checks what the program relies on: each lit lamp lies on the background
without a seam, and lit is clearly brighter than dark.
"""
import os
import subprocess
import sys
import tempfile
import unittest

from pictures import CONVERT, LAMP_SIZE, read_png, read_rgba
from skipping import skip
from tables import LAMPS, OVERLAY_AT

if not os.path.exists(CONVERT):
    skip("ImageMagick's %s is missing" % CONVERT)

ART_TOOL, SOURCE_DIR = sys.argv[1], sys.argv[2]
DATA = os.path.join(SOURCE_DIR, "data")
ICON = os.path.join(SOURCE_DIR, "front", "zelm.ico")
WEB = os.path.join(SOURCE_DIR, "front", "web")
WEB_ICONS = ["icon-192.png", "icon-512.png", "icon-maskable.png"]


def brightness(image):
    data = image.data
    return sum(data) / len(data)


class ArtTest(unittest.TestCase):

    def test_committed_images_are_what_the_sources_render(self):
        with tempfile.TemporaryDirectory() as fresh:
            images = os.path.join(fresh, "data")
            os.mkdir(images)
            subprocess.run([ART_TOOL, fresh,
                            os.path.join(SOURCE_DIR, "art", "icon.txt"),
                            os.path.join(fresh, "zelm.ico"), fresh],
                           check=True)
            with open(os.path.join(fresh, "zelm.ico"), "rb") as new, \
                    open(ICON, "rb") as old:
                self.assertTrue(new.read() == old.read(),
                                "%s is stale: run make art" % ICON)
            self.assertEqual(sorted(os.listdir(DATA)),
                             sorted(os.listdir(images)))
            for name in os.listdir(images):
                self.assertTrue(read_rgba(os.path.join(images, name)) ==
                                read_rgba(os.path.join(DATA, name)),
                                "data/%s is stale: run make art" % name)
            for name in WEB_ICONS:
                self.assertTrue(read_rgba(os.path.join(fresh, name)) ==
                                read_rgba(os.path.join(WEB, name)),
                                "front/web/%s is stale: run make art" % name)

    def test_a_launchers_mask_leaves_the_whole_maskable_icon(self):
        # Opaque everywhere; all but the ground within the central circle
        # of 80 % of the width that every mask keeps.
        pixels = read_rgba(os.path.join(WEB, "icon-maskable.png"))
        self.assertEqual(512 * 512, len(pixels))
        self.assertEqual({255}, {p[3] for p in pixels})
        drawn = [i for i, p in enumerate(pixels) if p != pixels[0]]
        self.assertTrue(drawn)
        self.assertLessEqual(max((i % 512 + 0.5 - 256) ** 2 +
                                 (i // 512 + 0.5 - 256) ** 2
                                 for i in drawn), (0.4 * 512) ** 2)

    def test_lit_lamps_meet_the_background_without_a_seam(self):
        background = read_png(os.path.join(DATA, "zelm.png"), True)
        for name, (x, y) in LAMPS.items():
            lit = read_png(os.path.join(DATA, name + ".png"))
            self.assertEqual((LAMP_SIZE, LAMP_SIZE), (lit.width, lit.height))
            dark = background.crop(x, y, LAMP_SIZE, LAMP_SIZE)
            edge = [(i, j) for i in range(LAMP_SIZE) for j in range(LAMP_SIZE)
                    if i in (0, LAMP_SIZE - 1) or j in (0, LAMP_SIZE - 1)]
            for i, j in edge:
                self.assertEqual(dark.pixel(i, j), lit.pixel(i, j),
                                 "%s.png at (%d, %d)" % (name, i, j))

    def test_the_overlay_fits_between_the_lamps(self):
        overlay = read_png(os.path.join(DATA, "gnarlwick.png"))
        self.assertLessEqual(overlay.width, 158)
        self.assertLessEqual(overlay.height, 122)
        left, top = OVERLAY_AT
        for name, (x, y) in LAMPS.items():
            apart = (x >= left + overlay.width or x + LAMP_SIZE <= left or
                     y >= top + overlay.height or y + LAMP_SIZE <= top)
            self.assertTrue(apart, "the overlay covers lamp %s" % name)

    def test_a_lit_lamp_is_clearly_brighter_than_a_dark_one(self):
        background = read_png(os.path.join(DATA, "zelm.png"), True)
        for name, (x, y) in LAMPS.items():
            glass = (7, 7, 12, 12)  # the middle of the lamp's glass
            lit = read_png(os.path.join(DATA, name + ".png")).crop(*glass)
            dark = background.crop(x + glass[0], y + glass[1], 12, 12)
            self.assertGreater(brightness(lit), 150, name)
            self.assertLess(brightness(dark), 60, name)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
