#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files beside this script.

The icons are committed; run this again only to change them. Each shape is a
function of the position in the unit square, sampled 4 x 4 times per pixel so the
edges come out smooth at 16 and 32 pixels.
"""

import math
import struct
from pathlib import Path

SAMPLES = 4


def rounded_square(x, y, inset, radius):
    cx = min(max(x, inset + radius), 1 - inset - radius)
    cy = min(max(y, inset + radius), 1 - inset - radius)
    return math.hypot(x - cx, y - cy) <= radius


def near_segment(x, y, ax, ay, bx, by, half_width):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - (ax + t * dx), y - (ay + t * dy)) <= half_width


def program_shape(x, y):
    """A blue tile with a white Z: the program, in the taskbar and in the tray."""
    if not rounded_square(x, y, 0.03, 0.2):
        return None
    z = (near_segment(x, y, 0.27, 0.27, 0.73, 0.27, 0.085)
         or near_segment(x, y, 0.73, 0.27, 0.27, 0.73, 0.085)
         or near_segment(x, y, 0.27, 0.73, 0.73, 0.73, 0.085))
    if z:
        return (255, 255, 255)
    return (0x1F, 0x5F, 0xA8)


def pin_shape(head_colour, tilted):
    """A push-pin: round head, short collar, needle. Tilted when off, upright when on."""

    def shape(x, y):
        if tilted:
            # Turn the picture 45 degrees about the centre.
            c, s = math.cos(math.pi / 4), math.sin(math.pi / 4)
            x, y = x - 0.5, y - 0.5
            x, y = c * x + s * y + 0.5, -s * x + c * y + 0.5
        if math.hypot(x - 0.5, y - 0.3) <= 0.24:
            return head_colour
        if near_segment(x, y, 0.3, 0.55, 0.7, 0.55, 0.06):
            return tuple(int(v * 0.7) for v in head_colour)
        if near_segment(x, y, 0.5, 0.55, 0.5, 0.95, 0.04):
            return (0x50, 0x50, 0x50)
        return None

    return shape


def render(shape, size):
    pixels = []
    for row in range(size):
        line = []
        for column in range(size):
            r = g = b = covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = shape((column + (sx + 0.5) / SAMPLES) / size,
                                   (row + (sy + 0.5) / SAMPLES) / size)
                    if colour is not None:
                        covered += 1
                        r, g, b = r + colour[0], g + colour[1], b + colour[2]
            if covered:
                line.append((r // covered, g // covered, b // covered,
                             255 * covered // (SAMPLES * SAMPLES)))
            else:
                line.append((0, 0, 0, 0))
        pixels.append(line)
    return pixels


def icon_image(pixels):
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(struct.pack("BBBB", b, g, r, a)
                      for line in reversed(pixels) for (r, g, b, a) in line)
    mask_row = ((size + 31) // 32) * 4
    return header + colour + bytes(mask_row * size)


def write_icon(path, shape, sizes):
    images = [icon_image(render(shape, size)) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    path.write_bytes(out + b"".join(images))


def main():
    here = Path(__file__).resolve().parent
    write_icon(here / "zenvoral.ico", program_shape, [16, 24, 32, 48])
    write_icon(here / "pin_off.ico", pin_shape((0x9A, 0x9A, 0x9A), True), [16, 24, 32])
    write_icon(here / "pin_on.ico", pin_shape((0xD0, 0x30, 0x30), False), [16, 24, 32])


if __name__ == "__main__":
    main()
