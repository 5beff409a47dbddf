#!/usr/bin/env python3
"""Writes the seed pictures the BMP fuzzer starts from: one small file for
every encoding and header the decoder reads, and one for every way it
refuses a file. Run from anywhere: python3 make_seed_corpus.py OUT_DIR"""
import os
import struct
import sys


def info_header(width, height, bits, compression=0, colors_used=0, size=40):
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, 0,
                         2835, 2835, colors_used, 0)
    header = struct.pack("<I", size) + header[4:]
    return header.ljust(size, b"\0")


def core_header(width, height, bits):
    return struct.pack("<IHHHH", 12, width, height, 1, bits)


def with_file_header(header_and_table, pixels, offset=None):
    if offset is None:
        offset = 14 + len(header_and_table)
    total = 14 + len(header_and_table) + len(pixels)
    return b"BM" + struct.pack("<IHHI", total, 0, 0, offset) + header_and_table + pixels


def quads(count):
    return b"".join(bytes((i * 7 % 256, i * 13 % 256, i * 29 % 256, 0)) for i in range(count))


def triples(count):
    return b"".join(bytes((i * 7 % 256, i * 13 % 256, i * 29 % 256)) for i in range(count))


def rows(width, height, bits, seed=1):
    stride = (width * bits + 31) // 32 * 4
    return bytes((seed + i * 37) % 256 for i in range(stride * abs(height)))


SEEDS = {
    # Pictures that decode.
    "rgb24_3x2_padded.bmp": with_file_header(info_header(3, 2, 24), rows(3, 2, 24)),
    "rgb24_2x2_no_file_header.bmp": info_header(2, 2, 24) + rows(2, 2, 24),
    "rgb24_2x3_top_down.bmp": with_file_header(info_header(2, -3, 24), rows(2, 3, 24)),
    "rgb32_2x2.bmp": with_file_header(info_header(2, 2, 32), rows(2, 2, 32)),
    "rgb16_3x2.bmp": with_file_header(info_header(3, 2, 16), rows(3, 2, 16)),
    "pal8_4x2.bmp": with_file_header(info_header(4, 2, 8) + quads(256), rows(4, 2, 8)),
    "pal8_3_colours_no_file_header.bmp": info_header(4, 2, 8, colors_used=3) + quads(3) + rows(4, 2, 8),
    "pal4_5x3_top_down.bmp": with_file_header(info_header(5, -3, 4) + quads(16), rows(5, 3, 4)),
    "pal1_10x2.bmp": with_file_header(info_header(10, 2, 1) + quads(2), rows(10, 2, 1)),
    "core_pal8_3x2.bmp": with_file_header(core_header(3, 2, 8) + triples(256), rows(3, 2, 8)),
    "core_pal4_3x2_no_file_header.bmp": core_header(3, 2, 4) + triples(16) + rows(3, 2, 4),
    "core_pal1_9x1.bmp": with_file_header(core_header(9, 1, 1) + triples(2), rows(9, 1, 1)),
    "core_rgb24_2x2_no_file_header.bmp": core_header(2, 2, 24) + rows(2, 2, 24),
    "zero_width.bmp": with_file_header(info_header(0, 4, 24), b""),
    "zero_height.bmp": with_file_header(info_header(4, 0, 24), b""),
    "pixel_offset_gap.bmp": with_file_header(info_header(1, 1, 24) + b"\x99" * 8, rows(1, 1, 24)),
    # Files the decoder refuses.
    "header_108.bmp": with_file_header(info_header(2, 2, 24, size=108), rows(2, 2, 24)),
    "header_124.bmp": with_file_header(info_header(2, 2, 24, size=124), rows(2, 2, 24)),
    "rle8.bmp": with_file_header(info_header(4, 1, 8, compression=1) + quads(256), b"\x04\x01\x00\x01"),
    "rle4.bmp": with_file_header(info_header(4, 1, 4, compression=2) + quads(16), b"\x04\x12\x00\x01"),
    "bitfields16.bmp": with_file_header(info_header(2, 1, 16, compression=3)
                                        + struct.pack("<III", 0xF800, 0x07E0, 0x001F), rows(2, 1, 16)),
    "bitfields32.bmp": with_file_header(info_header(1, 1, 32, compression=3)
                                        + struct.pack("<III", 0xFF0000, 0xFF00, 0xFF), rows(1, 1, 32)),
    "truncated_rows.bmp": with_file_header(info_header(3, 4, 24), rows(3, 3, 24)),
    "truncated_colour_table.bmp": (info_header(2, 2, 8) + quads(256))[:200],
    "pixel_offset_past_end.bmp": with_file_header(info_header(1, 1, 24), rows(1, 1, 24), offset=0x7FFFFFF0),
    "huge_size.bmp": with_file_header(info_header(0x7FFFFFFF, 0x7FFFFFFF, 32), rows(1, 1, 32)),
    "negative_width.bmp": with_file_header(info_header(-3, 2, 24), rows(3, 2, 24)),
    "lowest_height.bmp": with_file_header(info_header(0, -0x80000000, 24), b""),
    "depth_2.bmp": with_file_header(info_header(4, 1, 2), rows(4, 1, 2)),
    "file_header_only.bmp": b"BM" + struct.pack("<IHHI", 14, 0, 0, 54),
    "bm_alone.bmp": b"BM",
}


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
