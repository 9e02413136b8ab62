#!/usr/bin/env python3
"""Writes HAND-M.CUR, the program's hand pointer: a 32 x 32 cursor, 32 bits a pixel, hotspot at
the tip of the index finger. Run it again after changing the drawing below."""
import struct
import sys

# X outline, . fill, blank transparent.
DRAWING = """
      XX
     X..X
     X..X
     X..X
     X..X
     X..XXX
     X..X..XXX
     X..X..X..XX
 XXX X..X..X..X.X
 X..XX........X..X
 X...X...........X
  X..............X
   X.............X
   X.............X
    X...........X
    X...........X
     X.........X
     X.........X
      X.......X
      XXXXXXXXX
"""
HOTSPOT = (7, 1)


def main(path):
    rows = DRAWING.strip("\n").split("\n")
    width = height = 32
    pixels = []  # top-down BGRA
    for y in range(height):
        line = rows[y] if y < len(rows) else ""
        for x in range(width):
            ch = line[x] if x < len(line) else " "
            if ch == "X":
                pixels.append((0, 0, 0, 255))
            elif ch == ".":
                pixels.append((255, 255, 255, 255))
            else:
                pixels.append((0, 0, 0, 0))
    xor = bytearray()
    for y in reversed(range(height)):
        for x in range(width):
            b, g, r, a = pixels[y * width + x]
            xor += bytes((b, g, r, a))
    mask = bytearray()
    for y in reversed(range(height)):
        bits = 0
        for x in range(width):
            if pixels[y * width + x][3] == 0:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", width, height, 0, 0, HOTSPOT[0], HOTSPOT[1], len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(directory + entry + image)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "HAND-M.CUR")
