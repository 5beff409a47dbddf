#!/usr/bin/env python3
"""Makes the game's Data folder from code: the five pictures, the seven
sounds, the waltz, the window icon and the two data files' defaults, plus the
desktop icon at every size in a sibling folder "icons" (icons/NxN/trigonix.png).

    make_data.py OUT_DIR
    make_data.py --icon-sizes    (the sizes drawn, for the build)

Nothing is copied from anywhere: every picture is drawn, every sound is
synthesised and the waltz is composed here. The output is the same byte for
byte on every run: all randomness comes from our own little generator with
fixed seeds, and nothing records a date or a time.
"""

import math
import os
import struct
import sys
import zlib

GROUND = (0, 128, 0)  # the race's ground colour: the ship's rectangle melts into it
SAMPLE_RATE = 22050

# The two data files the game reads at start-up; a player's copies are kept.
DEFAULT_DATA_FILES = (
    ("settings .tgx", "1012103804003703903201"),
    ("data .tgx", "9999999900001is}is}is}is}0"),
)


# ---------------------------------------------------------------- helpers

class Rng:
    """xorshift32: a few lines, so the sequence never depends on Python."""

    def __init__(self, seed):
        self.state = (seed & 0xFFFFFFFF) or 1

    def next(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return x

    def uniform(self, lo=0.0, hi=1.0):
        return lo + (hi - lo) * (self.next() / 4294967296.0)


def clamp(x, lo=0.0, hi=1.0):
    return lo if x < lo else hi if x > hi else x


def mix(a, b, t):
    return tuple(p + (q - p) * t for p, q in zip(a, b))


def smoothstep(e0, e1, x):
    t = clamp((x - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


def to_byte(c):
    return int(clamp(c) * 255.0 + 0.5)


def inside_polygon(points, x, y):
    inside = False
    px, py = points[-1]
    for qx, qy in points:
        if (qy > y) != (py > y) and x < (px - qx) * (y - qy) / (py - qy) + qx:
            inside = not inside
        px, py = qx, qy
    return inside


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def render(width, height, shade, mirrored=False, grid=4):
    """Draws a picture from shade(x, y) -> (region, colour), x and y from 0 to
    1 with y upwards; colour is (r, g, b) or premultiplied (r, g, b, a).
    A pixel whose four corners lie in one region takes its centre sample;
    the others are averaged over grid x grid samples, which smooths the
    edges without paying for it inside flat areas. A mirrored picture draws
    its left half and copies it, so both halves match exactly.
    Returns rows of colour tuples, top row first."""
    cols = width // 2 if mirrored else width
    corner = [[shade(i / width, 1.0 - j / height)[0] for i in range(cols + 1)]
              for j in range(height + 1)]
    rows = []
    for j in range(height):
        row = []
        for i in range(cols):
            region = corner[j][i]
            if (corner[j][i + 1] == region and corner[j + 1][i] == region
                    and corner[j + 1][i + 1] == region):
                row.append(shade((i + 0.5) / width, 1.0 - (j + 0.5) / height)[1])
                continue
            total = None
            for sj in range(grid):
                y = 1.0 - (j + (sj + 0.5) / grid) / height
                for si in range(grid):
                    colour = shade((i + (si + 0.5) / grid) / width, y)[1]
                    total = list(colour) if total is None else [t + c for t, c in zip(total, colour)]
            row.append(tuple(t / (grid * grid) for t in total))
        if mirrored:
            row = row + row[::-1]
        rows.append(row)
    return rows


def rgb_bytes(rows):
    return [[tuple(to_byte(c) for c in px[:3]) for px in row] for row in rows]


def rgba_bytes(rows):
    """Premultiplied float pixels to straight 8-bit RGBA."""
    out = []
    for row in rows:
        line = []
        for r, g, b, a in row:
            if a <= 0.0:
                line.append((0, 0, 0, 0))
            else:
                line.append((to_byte(r / a), to_byte(g / a), to_byte(b / a), to_byte(a)))
        out.append(line)
    return out


# ------------------------------------------------------------ file formats

def bmp24(rows):
    """Uncompressed 24-bit Windows BMP, 14-byte file header and 40-byte info
    header, bottom row first, rows padded to 4 bytes."""
    height, width = len(rows), len(rows[0])
    pad = bytes((4 - width * 3 % 4) % 4)
    data = bytearray()
    for row in reversed(rows):
        for r, g, b in row:
            data += bytes((b, g, r))
        data += pad
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return head + info + bytes(data)


def bmp32(rows):
    """32-bit BMP with a version-4 header whose masks include alpha, the
    form in which SDL_LoadBMP keeps the transparency."""
    height, width = len(rows), len(rows[0])
    data = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            data += bytes((b, g, r, a))
    info = struct.pack("<IiiHHIIiiII", 108, width, height, 1, 32, 3, len(data), 2835, 2835, 0, 0)
    info += struct.pack("<IIIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, 0x73524742)
    info += bytes(36 + 12)  # colour-space end points and gammas, unused with sRGB
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return head + info + bytes(data)


def png(rows):
    """PNG of 8-bit RGB or RGBA rows (top row first)."""
    height, width, channels = len(rows), len(rows[0]), len(rows[0][0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for px in row:
            raw += bytes(px)

    def chunk(tag, body):
        return (struct.pack(">I", len(body)) + tag + body
                + struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 6 if channels == 4 else 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def wav(samples):
    """16-bit PCM mono RIFF/WAVE."""
    data = struct.pack("<%dh" % len(samples), *samples)
    fmt = struct.pack("<HHIIHH", 1, 1, SAMPLE_RATE, SAMPLE_RATE * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


# ---------------------------------------------------------------- pictures

def ship_shade(flame_length, flame_glow):
    """The player's craft seen from behind and above, in display units: the
    sprite stands 2 units wide and 1.5 tall, u from -1 to 1, v from 0 up.
    Symmetric, since the game shows the picture mirrored."""
    ground = tuple(c / 255.0 for c in GROUND)
    hull = (0.80, 0.82, 0.88)
    wing = (0.52, 0.58, 0.72)
    red = (0.85, 0.12, 0.10)
    wing_outline = [(0.18, 0.86), (0.92, 0.47), (0.92, 0.34), (0.18, 0.40)]
    tip_fin = [(0.875, 0.38), (0.915, 0.38), (0.91, 0.62), (0.89, 0.62)]

    def shade(x, y):
        u, v = abs(2.0 * x - 1.0), 1.5 * y
        # Flame: comes out of the nozzle towards the camera and fades to the
        # ground colour at its edge and tip, so it has no hard border.
        dx, dy = u - 0.22, 0.37 - v
        if -0.03 <= dy <= flame_length:
            t = max(dy, 0.0) / flame_length
            half = 0.085 * (1.0 - t) ** 0.6 + 1e-6
            core = 1.0 - abs(dx) / half
            if core > 0.0 and not (dy < 0.0 and (dx / 0.07) ** 2 + (dy / 0.05) ** 2 > 1.0):
                hot = mix((1.0, 0.42, 0.08), (1.0, 0.97, 0.75), clamp(core * 1.6 * (1.0 - t)) * flame_glow)
                alpha = smoothstep(0.0, 0.45, core) * (1.0 - t) ** 0.5
                return "flame", mix(ground, hot, alpha)
        # Engine nozzles on the rear face, glowing inside.
        ex, ey = (u - 0.22) / 0.10, (v - 0.40) / 0.075
        if ex * ex + ey * ey <= 1.0:
            r = math.sqrt(ex * ex + ey * ey)
            if r < 0.68:
                return "nozzle", mix((1.0, 0.55, 0.15), (1.0, 0.92, 0.6), (1.0 - r / 0.68) * flame_glow)
            return "nozzle", mix((0.22, 0.22, 0.26), (0.48, 0.48, 0.54), (1.0 - r) / 0.32)
        # Fuselage: flat rear, rounded nose far away at the top.
        if 0.30 <= v <= 1.40:
            half = 0.28 * math.sqrt(max(0.0, 1.0 - ((v - 0.52) / 0.88) ** 2)) if v > 0.52 else 0.28
            if u <= half:
                n = u / half
                light = 0.55 + 0.45 * math.sqrt(1.0 - n * n)
                # Canopy: dark glass with a bright reflection on top.
                cx, cy = u / 0.10, (v - 0.98) / 0.17
                if cx * cx + cy * cy <= 1.0:
                    hx, hy = u / 0.035, (v - 1.05) / 0.06
                    if hx * hx + hy * hy <= 1.0:
                        return "glint", (0.85, 0.93, 1.0)
                    return "canopy", mix((0.05, 0.12, 0.32), (0.30, 0.55, 0.92), clamp((v - 0.81) / 0.34))
                if v < 0.47:
                    return "rear", tuple(c * light * 0.62 for c in hull)
                if u < 0.03 and v < 0.74:
                    return "stripe", red
                return "hull", tuple(c * light for c in hull)
        # Swept wings with red tips and small upright tip fins.
        if inside_polygon(tip_fin, u, v):
            return "tipfin", red
        if inside_polygon(wing_outline, u, v):
            if u > 0.80:
                return "wingtip", red
            span = (u - 0.18) / 0.62
            return "wing", tuple(c * (1.0 - 0.25 * span) for c in wing)
        # A soft shadow on the ground under the craft.
        sx, sy = u / 0.92, (v - 0.22) / 0.10
        d = sx * sx + sy * sy
        if d < 1.0:
            return "shadow", mix(ground, (0.0, 0.28, 0.0), (1.0 - d) ** 1.5 * 0.8)
        return "ground", ground

    return shade


def moon_picture(size=128):
    """A full-ish moon with soft shading, dark seas and craters, on black."""
    rng = Rng(0x4D6F6F6E)
    centre = size / 2.0
    radius = size * 0.45
    albedo = [[0.0] * size for _ in range(size)]
    relief = [[0.0] * size for _ in range(size)]
    seas = value_noise(size, size, ((4, 4, 1.0), (8, 8, 0.5), (16, 16, 0.25)), Rng(0x5EA5), wrap=False)
    grain = value_noise(size, size, ((32, 32, 1.0), (64, 64, 0.6)), Rng(0x62A1), wrap=False)
    for j in range(size):
        for i in range(size):
            dark = smoothstep(0.47, 0.63, seas[j][i])
            albedo[j][i] = 0.86 - 0.26 * dark + 0.07 * (grain[j][i] - 0.5)
    light = (-0.55, 0.45)  # in the picture plane, y upwards
    for k in range(28):
        r = rng.uniform(3.0, 8.5) if k < 11 else rng.uniform(1.3, 2.8)
        ang = rng.uniform(0.0, 2.0 * math.pi)
        dist = math.sqrt(rng.uniform(0.0, 1.0)) * (radius - r - 2.0)
        cx, cy = centre + dist * math.cos(ang), centre + dist * math.sin(ang)
        reach = r * 1.4
        for j in range(max(0, int(cy - reach)), min(size, int(cy + reach) + 2)):
            for i in range(max(0, int(cx - reach)), min(size, int(cx + reach) + 2)):
                ox, oy = (i + 0.5 - cx) / r, (cy - (j + 0.5)) / r
                d = math.hypot(ox, oy)
                if d >= 1.4 or d == 0.0:
                    continue
                nx, ny = ox / d, oy / d
                facing = nx * light[0] + ny * light[1]
                if d < 1.0:
                    # Inside the bowl: the wall that faces the sun is lit.
                    wall = smoothstep(0.3, 1.0, d)
                    relief[j][i] -= 0.30 * facing * wall
                    albedo[j][i] *= 0.93
                else:
                    # The raised rim outside it, the other way round.
                    relief[j][i] += 0.16 * facing * (1.4 - d) / 0.4
    sun = (-0.42, 0.34, 0.84)
    norm = math.sqrt(sum(c * c for c in sun))
    sun = tuple(c / norm for c in sun)
    rows = []
    for j in range(size):
        row = []
        for i in range(size):
            x, y = (i + 0.5 - centre) / radius, (centre - (j + 0.5)) / radius
            d = math.hypot(x, y) * radius
            coverage = clamp(radius + 0.5 - d)
            if coverage <= 0.0:
                row.append((0, 0, 0))
                continue
            z = math.sqrt(max(0.0, 1.0 - x * x - y * y))
            lambert = max(0.0, x * sun[0] + y * sun[1] + z * sun[2])
            value = albedo[j][i] * (0.10 + 0.95 * lambert ** 0.7) + relief[j][i] * lambert
            value *= coverage
            row.append(tuple(to_byte(value * c) for c in (1.0, 0.97, 0.90)))
        rows.append(row)
    return rows


def value_noise(width, height, octaves, rng, wrap=True):
    """Fractal value noise from 0 to 1; octaves are (cells across, cells
    down, weight). With wrap the left and right edges meet seamlessly."""
    total = [[0.0] * width for _ in range(height)]
    weight_sum = 0.0
    for cells_x, cells_y, weight in octaves:
        weight_sum += weight
        lattice = [[rng.uniform() for _ in range(cells_x + 1)] for _ in range(cells_y + 1)]
        if wrap:
            for line in lattice:
                line[cells_x] = line[0]
        xs = []
        for i in range(width):
            fx = (i + 0.5) * cells_x / width
            k = min(int(fx), cells_x - 1)
            t = fx - k
            xs.append((k, t * t * (3.0 - 2.0 * t)))
        across = [[line[k] + (line[k + 1] - line[k]) * t for k, t in xs] for line in lattice]
        for j in range(height):
            fy = (j + 0.5) * cells_y / height
            k = min(int(fy), cells_y - 1)
            t = fy - k
            t = t * t * (3.0 - 2.0 * t)
            top, bottom, out = across[k], across[k + 1], total[j]
            for i in range(width):
                out[i] += weight * (top[i] + (bottom[i] - top[i]) * t)
    return [[v / weight_sum for v in line] for line in total]


def sky_picture(size=256):
    """A light sky, nearly white at the horizon (the bottom row) and soft
    blue above, with fair-weather clouds. Kept light so that the race's
    tints (purple, storm grey, dawn and dusk) colour it rather than drown it;
    the clouds wrap left to right."""
    noise = value_noise(size, size, ((4, 3, 1.0), (8, 6, 0.55), (16, 12, 0.3), (32, 24, 0.16),
                                     (64, 48, 0.08)), Rng(0x5C1E5))
    horizon, mid, zenith = (0.88, 0.92, 0.98), (0.55, 0.70, 0.95), (0.45, 0.62, 0.92)
    rows = []
    for j in range(size):
        t = 1.0 - (j + 0.5) / size  # 0 at the horizon
        base = mix(horizon, mid, t / 0.6) if t < 0.6 else mix(mid, zenith, (t - 0.6) / 0.4)
        line, below = noise[j], noise[min(size - 1, j + 3)]
        row = []
        for i in range(size):
            n = line[i]
            cover = smoothstep(0.44, 0.70, n) * (0.45 + 0.55 * smoothstep(0.0, 0.2, t))
            lit = clamp(0.5 + (n - below[i]) * 6.0)
            cloud = mix((0.74, 0.77, 0.85), (1.0, 1.0, 1.0), lit)
            row.append(tuple(to_byte(c) for c in mix(base, cloud, cover * 0.9)))
        rows.append(row)
    return rows


def alien_shade(x, y):
    """A friendly green alien: big head, almond eyes, antennae, on dark space."""
    u, v = abs(x - 0.5), y
    space = (0.04, 0.05, 0.16)
    # Antennae with glowing tips.
    if math.hypot(u - 0.20, v - 0.93) < 0.045:
        return "bulb", (1.0, 0.9, 0.25)
    if segment_distance(u, v, 0.10, 0.80, 0.20, 0.93) < 0.015:
        return "stalk", (0.35, 0.70, 0.25)
    # Shoulders in a purple suit.
    sx, sy = u / 0.36, (v + 0.02) / 0.18
    shoulders = sx * sx + sy * sy <= 1.0
    # Head: wide at the brow, narrowing to the chin.
    hy = (v - 0.56) / 0.36
    half = 0.30 * (0.72 + 0.28 * clamp(hy + 0.6)) if -1.0 <= hy <= 1.0 else 0.0
    if half > 0.0 and u <= half * math.sqrt(max(0.0, 1.0 - hy * hy)):
        n = u / (half + 1e-9)
        skin = tuple(c * (0.62 + 0.38 * (1.0 - n * n) + 0.12 * hy) for c in (0.45, 0.85, 0.35))
        # Almond eyes, slanted up towards the temples.
        ex, ey = u - 0.125, v - 0.55
        a = math.radians(28.0)
        rx, ry = ex * math.cos(a) + ey * math.sin(a), -ex * math.sin(a) + ey * math.cos(a)
        if (rx / 0.10) ** 2 + (ry / 0.052) ** 2 <= 1.0:
            if math.hypot(ex + 0.025, ey - 0.02) < 0.018:
                return "glint", (0.95, 0.97, 1.0)
            return "eye", (0.03, 0.04, 0.06)
        if (u / 0.055) ** 2 + ((v - 0.31) / 0.016) ** 2 <= 1.0:
            return "mouth", (0.12, 0.30, 0.10)
        if (u - 0.025) ** 2 + (v - 0.41) ** 2 < 0.011 ** 2:
            return "nostril", (0.20, 0.45, 0.15)
        return "skin", skin
    if shoulders:
        return "suit", (0.42, 0.20, 0.55)
    return "space", space


# The desktop icon's sizes: those desktops ask the hicolor theme for.
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256, 512)

# The icon's triangle and hexagon, each with the larger outline behind it.
ICON_TRIANGLE = ([(0.27, 0.17), (0.73, 0.17), (0.50, 0.62)],
                 [(0.23, 0.145), (0.77, 0.145), (0.50, 0.67)])
ICON_HEXAGON = tuple([(0.29 + r * math.cos(math.pi / 3.0 * k), 0.56 + r * math.sin(math.pi / 3.0 * k))
                      for k in range(6)] for r in (0.17, 0.2))


def icon_shade(x, y):
    """The game in a tile: sky over green ground with a blue hexagon, a red
    square and a yellow triangle; transparent outside the rounded tile.
    Every colour is opaque or fully clear, so it is already premultiplied."""
    # Rounded tile.
    edge, corner = 0.03, 0.16
    qx = max(abs(x - 0.5) - (0.5 - edge - corner), 0.0)
    qy = max(abs(y - 0.5) - (0.5 - edge - corner), 0.0)
    if math.hypot(qx, qy) > corner:
        return "clear", (0.0, 0.0, 0.0, 0.0)
    outline = (0.05, 0.05, 0.10)

    def solid(region, colour):
        return region, (colour[0], colour[1], colour[2], 1.0)

    tri, tri_outer = ICON_TRIANGLE
    if inside_polygon(tri, x, y):
        return solid("triangle", mix((0.90, 0.85, 0.15), (1.0, 0.95, 0.45), (y - 0.17) / 0.45))
    if inside_polygon(tri_outer, x, y):
        return solid("triangle-edge", outline)
    sq_x, sq_y, sq_half = 0.72, 0.55, 0.15
    if abs(x - sq_x) <= sq_half and abs(y - sq_y) <= sq_half:
        return solid("square", (0.85, 0.12, 0.12))
    if abs(x - sq_x) <= sq_half + 0.025 and abs(y - sq_y) <= sq_half + 0.025:
        return solid("square-edge", outline)
    hexagon, hex_outer = ICON_HEXAGON
    if inside_polygon(hexagon, x, y):
        return solid("hexagon", (0.12, 0.30, 0.92))
    if inside_polygon(hex_outer, x, y):
        return solid("hexagon-edge", outline)
    if y < 0.36:
        return solid("ground", mix((0.0, 0.36, 0.0), (0.0, 0.55, 0.0), y / 0.36))
    return solid("sky", mix((0.72, 0.84, 0.99), (0.40, 0.58, 0.92), (y - 0.36) / 0.64))


# ------------------------------------------------------------------ sounds

def seconds(n):
    return int(round(n * SAMPLE_RATE))


def add_note(buffer, start, freq, length, amplitude, partials, decay, vibrato=0.0, attack=0.006):
    """A tone of harmonics, each dying away faster than the one below,
    with a short attack and a release that brings it to rest at its end."""
    first, count = seconds(start), seconds(length)
    release = min(seconds(0.04), count // 2)
    phase = 0.0
    for n in range(count):
        t = n / SAMPLE_RATE
        env = math.exp(-decay * t) * min(1.0, t / attack)
        if n >= count - release:
            env *= 0.5 - 0.5 * math.cos(math.pi * (count - n) / release)
        step = freq * (1.0 + vibrato * math.sin(2.0 * math.pi * 5.5 * t) * min(1.0, t / 0.15))
        phase += 2.0 * math.pi * step / SAMPLE_RATE
        value, fade, upper = 0.0, 1.0, math.exp(-decay * 0.6 * t)
        for harmonic, weight in partials:
            value += weight * fade * math.sin(harmonic * phase)
            fade *= upper
        buffer[first + n] += amplitude * env * value


class Filter:
    """State-variable filter in its trapezoidal form: stable at any cutoff,
    so it can sweep freely."""

    def __init__(self, q):
        self.k = 1.0 / q
        self.s1 = self.s2 = 0.0

    def run(self, x, cutoff):
        g = math.tan(math.pi * min(cutoff, SAMPLE_RATE * 0.45) / SAMPLE_RATE)
        a1 = 1.0 / (1.0 + g * (g + self.k))
        a2 = g * a1
        v3 = x - self.s2
        v1 = a1 * self.s1 + a2 * v3
        v2 = self.s2 + a2 * self.s1 + g * a2 * v3
        self.s1 = 2.0 * v1 - self.s1
        self.s2 = 2.0 * v2 - self.s2
        return v2, v1  # low pass, band pass


def finish(buffer, peak=0.7, fade_in=0.004, fade_out=0.015):
    """Removes any DC, fades both ends to silence so nothing clicks, and
    scales the loudest sample to `peak` of full scale."""
    out, last_in, last_out = [], 0.0, 0.0
    for x in buffer:
        last_out = x - last_in + 0.997 * last_out
        last_in = x
        out.append(last_out)
    n_in, n_out = seconds(fade_in), seconds(fade_out)
    for n in range(n_in):
        out[n] *= 0.5 - 0.5 * math.cos(math.pi * n / n_in)
    for n in range(n_out):
        out[-1 - n] *= 0.5 - 0.5 * math.cos(math.pi * n / n_out)
    loudest = max(abs(x) for x in out) or 1.0
    return [int(round(x * peak * 32767.0 / loudest)) for x in out]


def note_freq(midi):
    return 440.0 * 2.0 ** ((midi - 69) / 12.0)


BRIGHT = ((1, 1.0), (2, 0.5), (3, 0.32), (4, 0.18), (5, 0.1), (6, 0.05))
SOFT = ((1, 1.0), (2, 0.32), (3, 0.12))


def title_sound():
    """A bright rising arpeggio that lands on a ringing chord."""
    buffer = [0.0] * seconds(1.6)
    for k, midi in enumerate((67, 72, 76, 79)):
        add_note(buffer, 0.09 * k, note_freq(midi), 0.45, 0.45, BRIGHT, 6.0)
    for midi in (72, 76, 79, 84):
        add_note(buffer, 0.40, note_freq(midi), 1.18, 0.32, BRIGHT, 2.6, vibrato=0.003)
    add_note(buffer, 0.42, note_freq(96), 0.6, 0.10, ((1, 1.0),), 7.0)
    return finish(buffer)


def bleep_sound():
    buffer = [0.0] * seconds(0.10)
    add_note(buffer, 0.0, note_freq(88), 0.10, 1.0, ((1, 1.0), (2, 0.15)), 18.0, attack=0.003)
    return finish(buffer)


def bleep2_sound():
    """A little two-step blip upwards, its phase unbroken at the step."""
    count = seconds(0.13)
    buffer, phase = [], 0.0
    for n in range(count):
        t = n / SAMPLE_RATE
        freq = note_freq(81) if t < 0.055 else note_freq(88)
        phase += 2.0 * math.pi * freq / SAMPLE_RATE
        env = math.exp(-9.0 * t)
        buffer.append(env * (math.sin(phase) + 0.22 * math.sin(3.0 * phase) + 0.08 * math.sin(5.0 * phase)))
    return finish(buffer, fade_in=0.003, fade_out=0.02)


def bye_sound():
    """Three falling notes, the last one held with a little vibrato."""
    buffer = [0.0] * seconds(1.12)
    add_note(buffer, 0.00, note_freq(79), 0.32, 0.55, SOFT, 3.0)
    add_note(buffer, 0.27, note_freq(76), 0.32, 0.55, SOFT, 3.0)
    add_note(buffer, 0.54, note_freq(72), 0.58, 0.60, SOFT, 2.2, vibrato=0.005)
    return finish(buffer)


def erased_sound():
    """A whoosh: noise through a resonant band that sweeps from high to low,
    under a falling whistle."""
    rng, band = Rng(0xE2A5ED), Filter(2.5)
    count = seconds(0.5)
    buffer, phase = [], 0.0
    for n in range(count):
        t = n / count
        cutoff = 3800.0 * (250.0 / 3800.0) ** t
        _, bp = band.run(rng.uniform(-1.0, 1.0), cutoff)
        phase += 2.0 * math.pi * (1400.0 * (180.0 / 1400.0) ** t) / SAMPLE_RATE
        env = smoothstep(0.0, 0.12, t) * (1.0 - t) ** 1.3
        buffer.append(env * (bp + 0.10 * math.sin(phase)))
    return finish(buffer)


def boom_sound(seed, length, bright, dark, thump_from, thump_to, decay, thump_decay):
    """An explosion: a crack of noise whose low-pass closes from `bright` to
    `dark` Hz while it dies away, over a falling sub-bass thump."""
    rng = Rng(seed)
    first, second = Filter(0.8), Filter(0.7)
    count = seconds(length)
    buffer, phase, rumble = [], 0.0, 0.0
    for n in range(count):
        t = n / SAMPLE_RATE
        s = n / count
        cutoff = bright * (dark / bright) ** (s ** 0.5)
        low, _ = first.run(rng.uniform(-1.0, 1.0), cutoff)
        low, _ = second.run(low, cutoff)
        low *= (bright / cutoff) ** 0.4  # the body must not vanish as the filter closes
        rumble += (rng.uniform(-1.0, 1.0) - rumble) * 0.002
        tail = 1.0 - s * s
        noise_env = min(1.0, t / 0.002) * math.exp(-decay * t) * tail * (1.0 + 6.0 * rumble)
        phase += 2.0 * math.pi * (thump_to + (thump_from - thump_to) * math.exp(-8.0 * t)) / SAMPLE_RATE
        thump = math.sin(phase) * min(1.0, t / 0.004) * math.exp(-thump_decay * t) * tail
        buffer.append(2.5 * low * noise_env + 0.5 * thump)
    return finish(buffer, fade_out=0.03)


def boom1_sound():
    return boom_sound(0xB0041, 0.65, 3200.0, 160.0, 90.0, 45.0, 5.5, 9.0)


def boom2_sound():
    """Deeper and longer: it also has to pass for thunder."""
    return boom_sound(0xB0042, 0.9, 1300.0, 70.0, 60.0, 30.0, 2.2, 4.0)


# ------------------------------------------------------------------- music

TICKS = 480  # per quarter note
NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
CHORDS = {"": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10)}

# Our waltz in F major, one bar a line: the chord, then the tune as
# note:beats ("r" rests, a note may last into the next bar, whose tune is
# then "-"). Four bars of oom-pah-pah, a sixteen-bar theme whose first half
# ends on the dominant, a D-minor middle that turns back through G7 and C,
# the theme again with a darker minor-four bar, and a slowing close.
WALTZ = """
F    | r:3
C7   | r:3
F    | r:3
C7   | r:3
F    | C5:1 F5:1 A5:1
F    | G5:2 F5:1
C7   | E5:1 G5:1 Bb5:1
C7   | A5:2 G5:1
Gm   | Bb4:1 D5:1 G5:1
C7   | F5:2 E5:1
F    | A5:1 G5:1 F5:1
C    | E5:3
F    | C5:1 F5:1 A5:1
F    | G5:2 F5:1
Bb   | D5:1 F5:1 Bb5:1
Bb   | D6:2 C6:1
F/C  | A5:1 C6:1 A5:1
C7   | G5:2 E5:1
F    | F5:3
F    | r:2 A4:1
Dm   | D5:3
Dm   | F5:1 E5:1 D5:1
A7   | C#5:2 E5:1
A7   | A4:3
A7   | G5:2 E5:1
A7   | C#5:1 E5:1 G5:1
Dm   | F5:2 E5:1
Dm   | D5:3
Gm   | Bb4:1 D5:1 G5:1
Dm   | F5:2 D5:1
Bb   | D5:1 F5:1 Bb5:1
A7   | A5:2 E5:1
Dm   | F5:2 A5:1
G7   | G5:2 F5:1
C    | E5:3
C7   | G4:1 A4:1 Bb4:1
F    | C5:1 F5:1 A5:1
F    | G5:2 F5:1
Bb   | D5:1 F5:1 Bb5:1
Bbm  | Db6:2 C6:1
F/C  | A5:1 C6:1 A5:1
C7   | G5:2 E5:1
F    | F5:2 A5:1
D7   | C6:1 A5:1 F#5:1
Gm   | D6:2 Bb5:1
F/C  | A5:2 C6:1
C7   | G5:2 E5:1
F    | F5:6
F    | -
"""

# Tempo (beats per minute) from a bar on: steady, then the closing ritardando.
WALTZ_TEMPI = ((0, 144), (46, 132), (47, 120), (48, 100))
# Melody loudness from a bar on: the theme, a gentler middle, a fuller return.
WALTZ_DYNAMICS = ((0, 88), (20, 76), (36, 96), (44, 88))


def pitch(name):
    """Note name such as "Bb4" or "C#5" to a MIDI note number (C4 = 60)."""
    semitone = NOTE_NAMES[name[0]]
    rest = name[1:]
    while rest and rest[0] in "#b":
        semitone += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + semitone


def parse_chord(name):
    """"F/C" -> (root pitch class, chord pitch classes, bass pitch class)."""
    symbol, _, bass = name.partition("/")
    root_len = 2 if len(symbol) > 1 and symbol[1] in "#b" else 1
    root = pitch(symbol[:root_len] + "0") % 12
    tones = tuple((root + step) % 12 for step in CHORDS[symbol[root_len:]])
    bass_class = pitch(bass + "0") % 12 if bass else root
    return root, tones, bass_class


def place(pitch_class, low, high):
    """Every note of the pitch class in [low, high]."""
    return [n for n in range(low, high + 1) if n % 12 == pitch_class]


def at_bar(table, bar):
    value = table[0][1]
    for start, v in table:
        if bar >= start:
            value = v
    return value


def vlq(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def track(events, name):
    """An MTrk chunk from (tick, order, bytes); at one tick note-offs
    (order 0) come before everything else."""
    events = [(0, -1, b"\xFF\x03" + vlq(len(name)) + name.encode())] + sorted(events, key=lambda e: (e[0], e[1]))
    out, now = bytearray(), 0
    for tick, _, data in events:
        out += vlq(tick - now) + data
        now = tick
    out += vlq(0) + b"\xFF\x2F\x00"
    return b"MTrk" + struct.pack(">I", len(out)) + bytes(out)


def waltz_midi():
    bars = []
    for line in WALTZ.strip().splitlines():
        chord, tune = (part.strip() for part in line.split("|"))
        bars.append((parse_chord(chord), tune.split()))
    bar_ticks = 3 * TICKS
    melody, bass, chords = [], [], []

    def note(events, channel, start, length, key, velocity):
        events.append((start, 1, bytes((0x90 | channel, key, velocity))))
        events.append((start + length, 0, bytes((0x80 | channel, key, 0))))

    def setup(events, channel, program, volume, pan):
        events.append((0, 0, bytes((0xC0 | channel, program))))
        events.append((0, 0, bytes((0xB0 | channel, 7, volume))))
        events.append((0, 0, bytes((0xB0 | channel, 10, pan))))
        events.append((0, 0, bytes((0xB0 | channel, 91, 40))))

    setup(melody, 0, 40, 110, 64)   # violin
    setup(bass, 1, 32, 100, 50)     # acoustic bass
    setup(chords, 2, 0, 84, 78)     # piano

    now = 0
    previous = None
    last = len(bars) - 1
    for index, ((root, tones, bass_class), tune) in enumerate(bars):
        start = index * bar_ticks
        if index == last:
            # The final chord, held in every part.
            note(bass, 1, start, bar_ticks + TICKS, place(bass_class, 36, 47)[0], 84)
            for key in sorted(k for pc in tones for k in place(pc, 57, 68)):
                note(chords, 2, start, bar_ticks + TICKS, key, 64)
        else:
            # Oom: the bass on the first beat, root or given bass, the fifth
            # when the chord is held over from the bar before.
            key_class = bass_class
            if previous == (root, tones, bass_class) and bass_class == root:
                key_class = (root + 7) % 12
            note(bass, 1, start, TICKS * 9 // 10, place(key_class, 38, 49)[0], 92)
            # Pah-pah: the chord, short, on beats two and three.
            keys = sorted(k for pc in tones for k in place(pc, 57, 68))
            for beat, velocity in ((1, 62), (2, 54)):
                for key in keys:
                    note(chords, 2, start + beat * TICKS, TICKS // 2, key, velocity)
        previous = (root, tones, bass_class)
        if tune == ["-"]:
            continue
        if now != start:
            raise ValueError("bar %d: the tune is out of step" % (index + 1))
        velocity = at_bar(WALTZ_DYNAMICS, index)
        for item in tune:
            name, _, beats = item.partition(":")
            length = int(beats) * TICKS
            if name != "r":
                # Legato with a breath between notes; the last note rings
                # on with the final chord.
                played = length + TICKS if now + length == len(bars) * bar_ticks else length - TICKS // 16
                note(melody, 0, now, played, pitch(name), velocity)
            now += length

    tempo = []
    for bar, bpm in WALTZ_TEMPI:
        tempo.append((bar * bar_ticks, 1, b"\xFF\x51\x03" + struct.pack(">I", 60000000 // bpm)[1:]))
    tempo.append((0, 0, b"\xFF\x58\x04\x03\x02\x18\x08"))  # 3/4
    tempo.append((0, 0, b"\xFF\x59\x02\xFF\x00"))          # F major
    tracks = [track(tempo, "Trigonix Waltz"), track(melody, "Melody"),
              track(bass, "Bass"), track(chords, "Chords")]
    return b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), TICKS) + b"".join(tracks)


# -------------------------------------------------------------------- main

def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main(argv):
    if len(argv) == 2 and argv[1] == "--icon-sizes":
        print(";".join(str(size) for size in ICON_SIZES))  # a CMake list
        return 0
    if len(argv) != 2:
        sys.stderr.write("usage: make_data.py OUT_DIR | --icon-sizes\n")
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)

    write(os.path.join(out, "3dship4lr.bmp"),
          bmp24(rgb_bytes(render(128, 128, ship_shade(0.30, 1.0), mirrored=True))))
    write(os.path.join(out, "3dship42lr.bmp"),
          bmp24(rgb_bytes(render(128, 128, ship_shade(0.19, 0.8), mirrored=True))))
    write(os.path.join(out, "moon.bmp"), bmp24(moon_picture()))
    write(os.path.join(out, "sky.bmp"), bmp24(sky_picture()))
    write(os.path.join(out, "alienlr.bmp"), bmp24(rgb_bytes(render(64, 64, alien_shade, mirrored=True))))

    for name, make in (("title.wav", title_sound), ("Bleep.wav", bleep_sound),
                       ("Bleep2.wav", bleep2_sound), ("bye.wav", bye_sound),
                       ("erased.wav", erased_sound), ("Boom1.wav", boom1_sound),
                       ("Boom2.wav", boom2_sound)):
        write(os.path.join(out, name), wav(make()))

    write(os.path.join(out, "Waltz.mid"), waltz_midi())

    write(os.path.join(out, "icon.bmp"), bmp32(rgba_bytes(render(64, 64, icon_shade))))
    icons = os.path.join(os.path.dirname(os.path.abspath(out)), "icons")
    for size in ICON_SIZES:
        folder = os.path.join(icons, "%dx%d" % (size, size))
        os.makedirs(folder, exist_ok=True)
        write(os.path.join(folder, "trigonix.png"), png(rgba_bytes(render(size, size, icon_shade))))

    # The player's own files: written only when there are none yet.
    for name, text in DEFAULT_DATA_FILES:
        path = os.path.join(out, name)
        if not os.path.exists(path):
            write(path, text.encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
