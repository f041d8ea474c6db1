#!/usr/bin/env python3
"""JPEG pictures for the benchmarks, laid out as cameras write them: SOI, then the Exif APP1
segment, no JFIF segment. From fixed seeds; needs `cjpeg` on PATH for the compressed pixels.

usage: gen_jpegs.py OUTDIR [COUNT]            (COUNT defaults to 1000)
  OUTDIR/photo_4000x3000.jpg   a photo-sized picture (colour gradients and grain), "II"
  OUTDIR/exif/img_NNNN.jpg     COUNT 640x480 pictures with a 160x120 thumbnail and about 30
                               camera tags; odd numbers "II", even numbers "MM"; orientations
                               1..8 in turn; UserComment as ASCII, UNICODE, JIS, undefined or none
  OUTDIR/exif/manifest.jsonl   the raw values written into each file
The EXIF blocks are written here, not by a tool, so both byte orders and every comment form
come out exactly as chosen.
"""
import math
import os
import random
import struct
import subprocess
import sys

from benchfiles import count_arg, json_lines, write_atomically

SEED = 63_2024
CAMERAS = [("HOSHIZORA OPTICAL", "HZ-500 Digital"), ("Tsubame Camera Co.,Ltd.", "TS-Z7"),
           ("AKANE", "AK-Pocket 3"), ("Minamo Imaging", "MI F21"), ("KASUMI KOGAKU", "KS-2 mini"),
           ("Sazanami Electric", "SZ-10 wide"), ("YAMABUKI", "YB-900"), ("Fuyou Industries", "FX-4 Zoom")]
EXPOSURES = ["1/500", "10/1600", "4/10", "3/1", "1/125", "1/15", "1/2000", "1/6", "8/1", "1/8000"]
APERTURES = ["20/10", "28/10", "45/10", "63/10", "90/10", "13/1", "16/1"]
ISO_SPEEDS = [50, 100, 125, 200, 400, 640, 1600, 6400]
FOCAL_LENGTHS = ["62/10", "240/10", "85/1", "28/1", "91/10", "200/1"]
MAX_APERTURES = ["28/10", "3/1", "45/10", "11/2"]
BIASES = ["0/1", "1/3", "-2/3", "-1/1", "5/3"]
COMMENTS = [("Ascii", "Summer festival"), ("Ascii", "board; 2nd floor"), ("Unicode", "花火大会 2004"),
            ("Unicode", "ホワイトボードの写真"), ("Jis", "運動会"), ("Undefined", "卒業式の朝"),
            ("Ascii", "")]
COMMENT_CODES = {"Ascii": b"ASCII\0\0\0", "Unicode": b"UNICODE\0", "Jis": b"JIS\0\0\0\0\0",
                 "Undefined": b"\0" * 8}

BYTE, ASCII, SHORT, LONG, RATIONAL, UNDEFINED, SRATIONAL = 1, 2, 3, 4, 5, 7, 10
SIZES = {BYTE: 1, ASCII: 1, SHORT: 2, LONG: 4, RATIONAL: 8, UNDEFINED: 1, SRATIONAL: 8}


def pixels(width, height, seed, grain):
    """A P6 picture: two horizontal colour profiles blended down the picture, plus grain drawn
    from a binomial table. Each row is one big-integer addition of a blended row and a grain
    row; no byte overflows because blends stay below 256 - 8 * step."""
    rng = random.Random(seed)
    row_bytes = width * 3
    ceiling = 255 - 8 * grain
    waves = [[(rng.uniform(0.5, 4.0), rng.uniform(0.0, 6.28), rng.uniform(0.2, 1.0)) for _ in range(3)]
             for _ in range(2)]

    def profile(channel_waves):
        out = []
        for x in range(width):
            for f, phase, depth in channel_waves:
                out.append(0.5 + 0.5 * depth * math.sin(6.2832 * f * x / width + phase))
        return out

    a, b = profile(waves[0]), profile(waves[1])
    levels = [int.from_bytes(bytes(int(ceiling * (p * (1 - t) + q * t)) for p, q in zip(a, b)), "big")
              for t in (k / 63 for k in range(64))]
    grain_table = bytes(bin(v).count("1") * grain for v in range(256))
    drift = rng.uniform(0.8, 2.5)
    rows = [b"P6 %d %d 255\n" % (width, height)]
    for y in range(height):
        level = int(31.5 + 31.5 * math.sin(6.2832 * drift * y / height))
        noise = int.from_bytes(rng.randbytes(row_bytes).translate(grain_table), "big")
        rows.append((levels[level] + noise).to_bytes(row_bytes, "big"))
    return b"".join(rows)


def compress(ppm, quality):
    """cjpeg's output without its JFIF segment: everything after SOI and APP0."""
    jpeg = subprocess.run(["cjpeg", "-quality", str(quality)], input=ppm, check=True,
                          capture_output=True).stdout
    if jpeg[:4] != b"\xff\xd8\xff\xe0":
        raise SystemExit("cjpeg wrote no JFIF segment")
    return jpeg[4 + struct.unpack(">H", jpeg[4:6])[0]:]


def rational(text):
    num, den = (int(x) for x in text.split("/"))
    return [(num, den)]


class Tiff:
    """A TIFF structure of IFDs written in one byte order; offsets count from the header."""

    def __init__(self, order):
        self.e = "<" if order == "II" else ">"
        self.order = order

    def value_bytes(self, kind, values):
        if kind in (ASCII, UNDEFINED, BYTE):
            return bytes(values)
        if kind in (RATIONAL, SRATIONAL):
            code = "i" if kind == SRATIONAL else "I"
            return b"".join(struct.pack(self.e + code * 2, n, d) for n, d in values)
        return b"".join(struct.pack(self.e + ("H" if kind == SHORT else "I"), v) for v in values)

    def ifd_size(self, entries):
        extra = sum((len(v) + 1) & ~1 for v in (self.value_bytes(k, vs) for _, k, vs in entries) if len(v) > 4)
        return 2 + 12 * len(entries) + 4 + extra

    def ifd(self, at, entries, next_ifd):
        """The IFD placed at offset `at`, its long values right behind it."""
        entries = sorted(entries)
        head = struct.pack(self.e + "H", len(entries))
        data_at = at + 2 + 12 * len(entries) + 4
        data = b""
        for tag, kind, values in entries:
            raw = self.value_bytes(kind, values)
            count = len(raw) // SIZES[kind]
            if len(raw) <= 4:
                field = raw.ljust(4, b"\0")
            else:
                field = struct.pack(self.e + "I", data_at + len(data))
                data += raw + b"\0" * (len(raw) & 1)
            head += struct.pack(self.e + "HHI", tag, kind, count) + field
        return head + struct.pack(self.e + "I", next_ifd) + data

    def exif(self, v, thumbnail):
        text = lambda s: (ASCII, list(s.encode("ascii") + b"\0"))
        short = lambda n: (SHORT, [n])
        image = [(0x010F, *text(v["make"])), (0x0110, *text(v["model"])), (0x0112, *short(v["orientation"])),
                 (0x011A, RATIONAL, [(72, 1)]), (0x011B, RATIONAL, [(72, 1)]), (0x0128, *short(2)),
                 (0x0131, *text("Firmware 1.02")), (0x0132, *text(v["date_time_original"])),
                 (0x0213, *short(2)), (0x8769, LONG, [0])]
        photo = [(0x829A, RATIONAL, rational(v["exposure_time"])),
                 (0x829D, RATIONAL, rational(v["fnumber"])), (0x8822, *short(2)),
                 (0x8827, *short(v["iso"])), (0x9000, UNDEFINED, list(b"0220")),
                 (0x9003, *text(v["date_time_original"])), (0x9004, *text(v["date_time_original"])),
                 (0x9101, UNDEFINED, [1, 2, 3, 0]),
                 (0x9204, SRATIONAL, rational(v["exposure_bias"])),
                 (0x9205, RATIONAL, rational(v["max_aperture"])), (0x9207, *short(5)), (0x9208, *short(0)),
                 (0x9209, *short(16)), (0x920A, RATIONAL, rational(v["focal_length"])),
                 (0xA000, UNDEFINED, list(b"0100")), (0xA001, *short(1)), (0xA002, LONG, [v["width"]]),
                 (0xA003, LONG, [v["height"]]), (0xA403, *short(0)), (0xA406, *short(0))]
        comment = v["user_comment"]
        if comment:
            encoded = {"Ascii": lambda s: s.encode("ascii"),
                       "Unicode": lambda s: s.encode("utf-16-le" if self.order == "II" else "utf-16-be"),
                       "Jis": lambda s: s.encode("iso2022_jp"),
                       "Undefined": lambda s: s.encode("cp932")}[comment["charset"]](comment["text"])
            photo.append((0x9286, UNDEFINED, list(COMMENT_CODES[comment["charset"]] + encoded)))
        thumb = [(0x0103, *short(6)), (0x011A, RATIONAL, [(72, 1)]), (0x011B, RATIONAL, [(72, 1)]),
                 (0x0128, *short(2)), (0x0201, LONG, [0]), (0x0202, LONG, [len(thumbnail)])]
        image_at = 8
        photo_at = image_at + self.ifd_size(image)
        thumb_at = photo_at + self.ifd_size(photo)
        data_at = thumb_at + self.ifd_size(thumb)
        image[-1] = (0x8769, LONG, [photo_at])
        thumb[4] = (0x0201, LONG, [data_at])
        tiff = (self.order.encode() + struct.pack(self.e + "HI", 42, image_at)
                + self.ifd(image_at, image, thumb_at) + self.ifd(photo_at, photo, 0)
                + self.ifd(thumb_at, thumb, 0) + thumbnail)
        return b"Exif\0\0" + tiff


def camera_file(scan, values, thumbnail):
    app1 = Tiff(values["byte_order"]).exif(values, thumbnail)
    if len(app1) + 2 > 0xFFFF:
        raise SystemExit("EXIF block too large")
    return b"\xff\xd8\xff\xe1" + struct.pack(">H", len(app1) + 2) + app1 + scan


def draw_values(rng, number, width, height):
    make, model = rng.choice(CAMERAS)
    when = (f"{rng.randint(2002, 2030):04d}:{rng.randint(1, 12):02d}:{rng.randint(1, 28):02d} "
            f"{rng.randint(0, 23):02d}:{rng.randint(0, 59):02d}:{rng.randint(0, 59):02d}")
    comment = rng.choice(COMMENTS) if rng.random() < 0.8 else None
    return {"byte_order": "II" if number % 2 else "MM", "make": make, "model": model,
            "date_time_original": when, "orientation": (number - 1) % 8 + 1,
            "exposure_time": rng.choice(EXPOSURES), "fnumber": rng.choice(APERTURES),
            "iso": rng.choice(ISO_SPEEDS), "focal_length": rng.choice(FOCAL_LENGTHS),
            "max_aperture": rng.choice(MAX_APERTURES), "exposure_bias": rng.choice(BIASES),
            "user_comment": comment and {"charset": comment[0], "text": comment[1]},
            "width": width, "height": height}


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    folder = sys.argv[1]
    count = count_arg(sys.argv[2]) if len(sys.argv) == 3 else 1000
    rng = random.Random(SEED)
    thumbnails = [b"\xff\xd8" + compress(pixels(160, 120, SEED + 100 + k, 1), 75) for k in range(8)]
    photo = draw_values(rng, 1, 4000, 3000)
    write_atomically(os.path.join(folder, "photo_4000x3000.jpg"),
                     camera_file(compress(pixels(4000, 3000, SEED, 5), 92), photo, thumbnails[0]))
    scans = [compress(pixels(640, 480, SEED + 1 + k, 2), 85) for k in range(8)]
    manifest = []
    for number in range(1, count + 1):
        values = draw_values(rng, number, 640, 480)
        name = f"img_{number:04d}.jpg"
        write_atomically(os.path.join(folder, "exif", name),
                         camera_file(scans[number % 8], values, thumbnails[number % 8]))
        manifest.append({"file": name, **values})
    write_atomically(os.path.join(folder, "exif", "manifest.jsonl"), json_lines(manifest))
    size = os.path.getsize(os.path.join(folder, "photo_4000x3000.jpg"))
    print(f"photo_4000x3000.jpg ({size} bytes) and {count} camera files in {folder}")


if __name__ == "__main__":
    main()
