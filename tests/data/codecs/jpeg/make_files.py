#!/usr/bin/env python3
"""Writes the small JPEG files the decoder tests use: one per kind of damage libjpeg only
warns about, plus progressive files with many scans. Run from this folder; the output is
committed, so this only documents how the bytes were made.

With a size argument (e.g. `make_files.py 8192 /tmp/many.jpg`) it writes instead one large
grey progressive file with 883 valid scans, for measuring the scan limit."""
import struct
import sys


def seg(marker, payload):
    return struct.pack(">BBH", 0xFF, marker, len(payload) + 2) + payload


SOI, EOI = b"\xff\xd8", b"\xff\xd9"
DQT = seg(0xDB, b"\x00" + bytes([1] * 64))
JFIF = seg(0xE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00")
# The standard luminance tables: DC code "00" is category 0, AC code "1010" is end of block.
DC_BITS = bytes([0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0])
AC_BITS = bytes([0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D])
AC_VALS = bytes.fromhex(
    "01020300041105122131410613516107227114328191a1082342b1c11552d1f02433627282090a161718191a"
    "25262728292a3435363738393a434445464748494a535455565758595a636465666768696a737475767778"
    "797a838485868788898a92939495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7"
    "c8c9cad2d3d4d5d6d7d8d9dae1e2e3e4e5e6e7e8e9eaf1f2f3f4f5f6f7f8f9fa")
DHT = seg(0xC4, b"\x00" + DC_BITS + bytes(range(12))) + seg(0xC4, b"\x10" + AC_BITS + AC_VALS)


def sof(marker, width, height, components=1):
    payload = struct.pack(">BHHB", 8, height, width, components)
    for c in range(components):
        payload += bytes([c + 1, 0x11, 0])
    return seg(marker, payload)


def sos(ss=0, se=63, ah=0, al=0, components=1):
    payload = bytes([components])
    for c in range(components):
        payload += bytes([c + 1, 0x00])
    return seg(0xDA, payload + bytes([ss, se, (ah << 4) | al]))


BLOCK = b"\x2b"  # one grey 8 x 8 block: "00" + "1010", padded with ones


def baseline(head=JFIF, scan=sos(), data=BLOCK, width=8, tail=EOI, extra=b""):
    return SOI + head + DQT + sof(0xC0, width, 8) + DHT + extra + scan + data + tail


def progressive(scans, size=8):
    """A grey progressive file of `scans` valid scans over one 8 x 8 block: the DC scan,
    its refinements, then each AC coefficient first and refined, 14 bit planes each."""
    order = [(0, 0, 0, 13)] + [(0, 0, ah, ah - 1) for ah in range(13, 0, -1)]
    for k in range(1, 64):
        order += [(k, k, 0, 13)] + [(k, k, ah, ah - 1) for ah in range(13, 0, -1)]
    out = SOI + JFIF + DQT + sof(0xC2, size, size) + DHT
    for ss, se, ah, al in order[:scans]:
        if ss == 0:
            data = b"\x3f" if ah == 0 else b"\x7f"  # DC 0, or one correction bit 0
        else:
            data = b"\xaf"  # end of block
        out += sos(ss, se, ah, al) + data
    return out + EOI


def large_progressive(size):
    """size x size grey, progressive, 1 + 882 valid scans; tables with one-bit codes keep the
    file small: DC category 0 is "0", and an end-of-band run of 2^14 + n blocks is "10" + n in 14 bits."""
    blocks = (size // 8) ** 2
    dht = seg(0xC4, b"\x00" + bytes([1] + [0] * 15) + b"\x00")
    dht += seg(0xC4, b"\x10" + bytes([1, 1] + [0] * 14) + b"\x00\xe0")
    out = SOI + JFIF + DQT + sof(0xC2, size, size) + dht
    out += sos(0, 0, 0, 0) + bytes(blocks // 8)  # one "0" bit a block

    def eob_runs():
        if blocks % 16384:
            raise SystemExit("use a size that is a multiple of 1024")
        bits = ("10" + "0" * 14) * (blocks // 16384)  # runs of 2^14 blocks
        bits += "1" * (-len(bits) % 8)
        data = int(bits, 2).to_bytes(len(bits) // 8, "big")
        return data.replace(b"\xff", b"\xff\x00")

    data = eob_runs()
    for k in range(1, 64):
        out += sos(k, k, 0, 13) + data
        for ah in range(13, 0, -1):
            out += sos(k, k, ah, ah - 1) + data
    return out + EOI


def adobe(transform):
    # Three components, each "00" + "1010": 18 bits, padded with ones.
    return (SOI + seg(0xEE, b"Adobe\x00\x64\x00\x00\x00\x00" + bytes([transform])) + DQT +
            sof(0xC0, 8, 8, 3) + DHT + sos(components=3) + b"\x28\xa2\xbf" + EOI)


FILES = {
    "good.jpg": baseline(),
    "jfif-revision-2.jpg": baseline(head=seg(0xE0, b"JFIF\x00\x02\x01\x00\x00\x01\x00\x01\x00\x00")),
    # Cut after the scan header: no data, no end marker.
    "cut-after-scan-header.jpg": baseline(data=b"", tail=b""),
    # Closed right after the scan header: libjpeg pads the picture with grey.
    "no-scan-data.jpg": baseline(data=b""),
    "extraneous-bytes.jpg": baseline(extra=b"\x12\x34\x56"),
    # Stuffed 0xFF bytes are all ones: no Huffman code of the standard table.
    "bad-huffman-code.jpg": baseline(data=b"\xff\x00\xff\x00\xff\x00"),
    # A restart after every block, but the marker after the first is RST5, not RST0.
    "wrong-restart-marker.jpg": baseline(width=16, extra=seg(0xDD, b"\x00\x01"),
                                         data=BLOCK + b"\xff\xd5" + BLOCK),
    "baseline-spectral-selection.jpg": baseline(scan=sos(se=62)),
    # An AC scan with no DC scan before it.
    "progression-without-dc.jpg": SOI + JFIF + DQT + sof(0xC2, 8, 8) + DHT + sos(1, 63) +
    b"\xaf" + EOI,
    "adobe-transform-7.jpg": adobe(7),
    # 64 megapixels in three full-size components: 384 MB of coefficients before any pixel.
    "progressive-444-64mp.jpg": SOI + JFIF + DQT + sof(0xC2, 8192, 8192, 3) + DHT +
    sos(0, 0, components=3) + EOI,
    "scans-500.jpg": progressive(500),
    "scans-501.jpg": progressive(501),
}

if __name__ == "__main__":
    if len(sys.argv) == 3:
        with open(sys.argv[2], "wb") as f:
            f.write(large_progressive(int(sys.argv[1])))
    else:
        for name, data in FILES.items():
            with open(name, "wb") as f:
                f.write(data)
