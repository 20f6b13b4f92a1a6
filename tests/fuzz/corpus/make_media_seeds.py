#!/usr/bin/env python3
"""Writes the BMP, WAV and standard MIDI file seeds of the fuzz corpus.

Usage: make_media_seeds.py OUT_DIR          writes the seeds under OUT_DIR
       make_media_seeds.py --check CORPUS   exits 1 unless every seed under
                                            CORPUS holds exactly these bytes
The seeds are bmp_decode/*, wave_read/* and smf_read/*.
Each seed is the smallest file of its kind that its reader accepts, so that
fuzzing starts inside the format; the odd-sized LIST chunk and the 18-byte
format chunk take the readers through their padding and extension paths.
"""
import os
import struct
import sys


def bmp(width, height, bits, palette, pixels):
    """An uncompressed BMP: file header, 40-byte info header, palette, rows."""
    table = b"".join(struct.pack("<I", c) for c in palette)
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 0, 0, len(palette), 0)
    return b"BM" + struct.pack("<IIi", offset + len(pixels), 0, offset) + info + table + pixels


def riff_chunk(kind, body):
    return kind + struct.pack("<I", len(body)) + body + (b"\x00" if len(body) % 2 else b"")


def wave(channels, rate, bits, data, extension=None):
    """A PCM WAVE file with an odd-sized LIST chunk before the data."""
    block = channels * bits // 8
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * block, block, bits)
    if extension is not None:
        fmt += struct.pack("<H", extension)
    body = b"WAVE" + riff_chunk(b"fmt ", fmt) + riff_chunk(b"LIST", b"abc") + riff_chunk(b"data", data)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def smf(fmt, division, tracks):
    head = b"MThd" + struct.pack(">IHHH", 6, fmt, len(tracks), division)
    return head + b"".join(b"MTrk" + struct.pack(">I", len(t)) + t for t in tracks)


# Tempo 500000, program 5 on channel 0, a note, a second one in running
# status, a note-off for the first and the end of track.
NOTES = bytes.fromhex("00ff510307a120" "00c005" "00903c64" "603e64" "60803c00" "00ff2f00")
# A system exclusive message, a text event and, after a two-byte delta, a
# volume controller on channel 1.
EXTRAS = bytes.fromhex("0af0057e7f0901f7" "00ff010474657874" "8148b10764" "00ff2f00")

SEEDS = {
    "bmp_decode/b1.bmp": bmp(3, 2, 1, [0x000000, 0xFFFFFF], bytes.fromhex("a000000060000000")),
    "bmp_decode/b4.bmp": bmp(3, 1, 4, [1, 2, 3], bytes.fromhex("21000000")),
    "bmp_decode/b8.bmp": bmp(2, 2, 8, [5, 6], bytes.fromhex("0100000000010000")),
    "bmp_decode/b24.bmp": bmp(2, 1, 24, [], bytes.fromhex("0102030405060000")),
    "bmp_decode/b32.bmp": bmp(1, 1, 32, [], bytes.fromhex("01020304")),
    "wave_read/pcm8_mono": wave(1, 22050, 8, bytes.fromhex("8090a070")),
    "wave_read/fmt18": wave(1, 22050, 8, bytes.fromhex("8090a070"), extension=0),
    "wave_read/pcm16_stereo_48k": wave(2, 48000, 16, bytes(range(16))),
    "smf_read/format0": smf(0, 0x01E0, [NOTES]),
    "smf_read/format1": smf(1, 0x0060, [NOTES, EXTRAS]),
}


def check(corpus):
    differing = []
    for name, data in SEEDS.items():
        try:
            with open(os.path.join(corpus, name), "rb") as f:
                same = f.read() == data
        except OSError:
            same = False
        if not same:
            differing.append(name)
    for name in differing:
        print("differs from its maker:", name)
    return 1 if differing else 0


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--check":
        sys.exit(check(sys.argv[2]))
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    for name, data in SEEDS.items():
        path = os.path.join(sys.argv[1], name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
