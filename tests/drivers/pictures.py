"""pictures.py: reading images for the tests, with ImageMagick's help.

ImageMagick turns any picture into a binary PPM, which is trivial to read
here, so the tests need nothing beyond Python's standard library.
"""
import subprocess

# /usr/bin by name: another convert may stand earlier on the PATH.
CONVERT = "/usr/bin/convert"

# A lamp's image: its 24 x 24 hit box and a pixel of panel around it.
LAMP_SIZE = 26


class Image:
    """An RGB picture: width, height and rows of (r, g, b) tuples."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])

    def shrunk(self, scale):
        """The picture at 1/scale of its size, where each of its pixels is
        a square of scale x scale pixels of one colour here; else None."""
        line = 3 * self.width
        rows = [[self.data[y * line + x:y * line + x + 3]
                 for x in range(0, line, 3 * scale)]
                for y in range(0, self.height, scale)]
        grown = b"".join(b"".join(p * scale for p in row) * scale
                         for row in rows)
        return Image(self.width // scale, self.height // scale, b"".join(
            b"".join(row) for row in rows)) if grown == self.data else None

    def crop(self, x, y, width, height):
        rows = [self.data[3 * ((y + r) * self.width + x):
                          3 * ((y + r) * self.width + x + width)]
                for r in range(height)]
        return Image(width, height, b"".join(rows))


def parse_ppm(raw):
    """Decodes a binary 8-bit PPM (P6) as written by ImageMagick."""
    fields, pos = [], 0
    while len(fields) < 4:
        while raw[pos:pos + 1].isspace():
            pos += 1
        if raw[pos:pos + 1] == b"#":
            pos = raw.index(b"\n", pos)
            continue
        end = pos
        while not raw[end:end + 1].isspace():
            end += 1
        fields.append(raw[pos:end])
        pos = end
    assert fields[0] == b"P6" and fields[3] == b"255", fields
    width, height = int(fields[1]), int(fields[2])
    return Image(width, height, raw[pos + 1:pos + 1 + 3 * width * height])


def read_png(path, flatten_over_white=False):
    """A PNG as the player would see it, alpha composed over white."""
    args = [CONVERT, path]
    if flatten_over_white:
        args += ["-background", "white", "-flatten"]
    return parse_ppm(subprocess.run(args + ["-depth", "8", "ppm:-"],
                                    check=True, capture_output=True).stdout)


def read_rgba(path):
    """A picture's pixels as (r, g, b, a) tuples, row by row."""
    raw = subprocess.run([CONVERT, path, "-depth", "8", "rgba:-"],
                         check=True, capture_output=True).stdout
    return [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]
