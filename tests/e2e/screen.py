"""What the game window shows, read back for the end-to-end tests.

    screen.py grab WINDOW FILE      the window's pixels into FILE
    screen.py paused FILE           exit 0 when the "PAUSED" sign is up
    screen.py same A B              exit 0 when two pictures agree, the
                                    "REPLAY" sign's corner left out
    screen.py score-line FILE R G B X Y W H
                                    the last word of the text of colour
                                    R G B in that rectangle, as a mask
    screen.py shows-lasted FILE WORD X Y W H
                                    exit 0 when some one colour in that
                                    rectangle writes "YOU LASTED: N!" with
                                    N the word WORD (a mask from score-line)

A picture file is "width height\\n" and then the rows, top first, three
bytes a pixel. Text is the game's bitmap font: one exact colour, so a
word is the set of pixels of that colour, and words are told apart by
the gaps between them.
"""
import ctypes
import sys


def grab(window, path):
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]

    class XImage(ctypes.Structure):
        _fields_ = [(n, ctypes.c_int) for n in ("width", "height", "xoffset", "format")] + \
                   [("data", ctypes.c_void_p)] + \
                   [(n, ctypes.c_int) for n in ("byte_order", "bitmap_unit", "bitmap_bit_order",
                                                "bitmap_pad", "depth", "bytes_per_line",
                                                "bits_per_pixel")]

    class XWindowAttributes(ctypes.Structure):
        _fields_ = [(n, ctypes.c_int) for n in ("x", "y", "width", "height")] + \
                   [("rest", ctypes.c_byte * 256)]

    x11.XGetImage.restype = ctypes.POINTER(XImage)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                              ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                         ctypes.POINTER(XWindowAttributes)]
    display = x11.XOpenDisplay(None)
    attributes = XWindowAttributes()
    x11.XGetWindowAttributes(display, window, ctypes.byref(attributes))
    width, height = attributes.width, attributes.height
    image = x11.XGetImage(display, window, 0, 0, width, height, 0xFFFFFFFF, 2).contents
    if image.bits_per_pixel != 32:
        sys.exit("unexpected pixel size %d" % image.bits_per_pixel)
    data = ctypes.string_at(image.data, image.bytes_per_line * image.height)
    rows = bytearray()
    for y in range(height):
        for x in range(width):
            at = y * image.bytes_per_line + x * 4
            rows += bytes((data[at + 2], data[at + 1], data[at]))
    with open(path, "wb") as out:
        out.write(b"%d %d\n" % (width, height))
        out.write(rows)


def load(path):
    with open(path, "rb") as source:
        head = source.readline().split()
        return int(head[0]), int(head[1]), source.read()


def pixel(picture, x, y):
    width, _, rows = picture
    at = (y * width + x) * 3
    return rows[at], rows[at + 1], rows[at + 2]


def paused(picture):
    """The sign: a black box in the middle of the window, white text on it."""
    width, height, _ = picture
    black = white = 0
    for y in range(height // 2 - 20, height // 2 + 8):
        for x in range(width // 2 - 40, width // 2 + 40):
            colour = pixel(picture, x, y)
            black += colour == (0, 0, 0)
            white += colour == (255, 255, 255)
    return black > 1200 and white > 60


def same(a, b):
    if a[:2] != b[:2]:
        return False
    width, height, _ = a
    differ = 0
    for y in range(height):
        for x in range(width):
            # The "REPLAY" sign's corner.
            if x < 160 and y < 60:
                continue
            differ += pixel(a, x, y) != pixel(b, x, y)
    if differ:
        print("%d pixels differ" % differ)
    return differ == 0


def words(picture, colour, left, top, width, height):
    """The runs of columns holding `colour`, split where three or more
    columns in a row hold none: each word as a tuple of column bit masks."""
    columns = []
    for x in range(left, left + width):
        bits = 0
        for y in range(top, top + height):
            if pixel(picture, x, y) == colour:
                bits |= 1 << (y - top)
        columns.append(bits)
    found, word, gap = [], [], 0
    for bits in columns + [0, 0, 0]:
        if bits:
            word += [0] * gap if word else []
            word.append(bits)
            gap = 0
        else:
            gap += 1
            if gap >= 3 and word:
                found.append(word)
                word = []
    # Moved to the top of the rectangle, so the same word anywhere in it
    # is the same mask.
    shaped = []
    for word in found:
        lowest = min((bits & -bits).bit_length() - 1 for bits in word if bits)
        shaped.append(tuple(bits >> lowest for bits in word))
    return shaped


def encode(word):
    return ".".join("%x" % bits for bits in word)


def main():
    command = sys.argv[1]
    if command == "grab":
        grab(int(sys.argv[2]), sys.argv[3])
    elif command == "paused":
        sys.exit(0 if paused(load(sys.argv[2])) else 1)
    elif command == "same":
        sys.exit(0 if same(load(sys.argv[2]), load(sys.argv[3])) else 1)
    elif command == "score-line":
        picture = load(sys.argv[2])
        colour = tuple(int(v) for v in sys.argv[3:6])
        found = words(picture, colour, *[int(v) for v in sys.argv[6:10]])
        if len(found) < 2:
            sys.exit("no words of that colour there")
        print(encode(found[0]), encode(found[-1]))
    elif command == "shows-lasted":
        picture = load(sys.argv[2])
        number = tuple(int(bits, 16) for bits in sys.argv[3].split("."))
        left, top, width, height = [int(v) for v in sys.argv[4:8]]
        colours = {}
        for y in range(top, top + height):
            for x in range(left, left + width):
                colour = pixel(picture, x, y)
                colours[colour] = colours.get(colour, 0) + 1
        for colour, count in colours.items():
            if count > 3000:
                continue
            found = words(picture, colour, left, top, width, height)
            # "YOU", "LASTED:", the number and the "!", which may stand so
            # close to the number that they read as one word.
            if len(found) == 4:
                shown = found[2]
            elif len(found) == 3 and len(found[2]) > len(number):
                shown = found[2][:len(number)]
            else:
                continue
            lowest = min((b & -b).bit_length() - 1 for b in shown if b)
            shown = tuple(b >> lowest for b in shown)
            print("lasted line in %s: %s" % (colour, "the same number" if shown == number
                                              else "another number"))
            sys.exit(0 if shown == number else 1)
        sys.exit("no one-colour line 'YOU LASTED: N!' there")


main()
