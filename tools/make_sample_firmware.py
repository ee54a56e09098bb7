#!/usr/bin/env python3
"""Writes samples/sample_firmware.mot: a firmware image to try the firmware update on
the virtual board. It holds a code image from 0x8000 to 0xFFFF (a recognisable pattern,
a vector page with the reset vector and the seven ID bytes at 0xFFDF, 0xFFE3, 0xFFEB,
0xFFEF, 0xFFF3, 0xFFF7 and 0xFFFB) and a data image from 0x2400 to 0x2BFF, as S2 records
of 32 data bytes with an S9 record at the end."""
import sys
from pathlib import Path

ID_ADDRESSES = [0xFFDF, 0xFFE3, 0xFFEB, 0xFFEF, 0xFFF3, 0xFFF7, 0xFFFB]
ID_CODE = [0x4C, 0x43, 0x44, 0x4B, 0x4F, 0x4E, 0x46]  # "LCDKONF"


def s2_record(address, data):
    count = len(data) + 4
    fields = [count, (address >> 16) & 0xFF, (address >> 8) & 0xFF, address & 0xFF] + list(data)
    checksum = (~sum(fields)) & 0xFF
    return "S2" + "".join(f"{b:02X}" for b in fields) + f"{checksum:02X}"


def code_image():
    image = bytearray(0xFF for _ in range(0x8000))
    for i in range(0x6000):  # program text: a pattern that changes from page to page
        image[i] = (i * 7 + (i >> 8)) & 0xFF
    text = b"LCD-Anzeige Firmware 7.5 (Beispiel)"
    image[0x100:0x100 + len(text)] = text
    vectors = 0xFFDC - 0x8000
    for k in range(9):  # fixed vectors: 3 address bytes each + one ID or reserved byte
        image[vectors + 4 * k:vectors + 4 * k + 3] = bytes([0x00, 0x80, 0x00])
    for address, value in zip(ID_ADDRESSES, ID_CODE):
        image[address - 0x8000] = value
    image[0xFFFC - 0x8000:0xFFFF - 0x8000] = bytes([0x00, 0x80, 0x00])  # reset vector
    return image


def data_image():
    return bytearray((0x24 + i // 256 + i) & 0xFF for i in range(0x800))


def records(base, image, skip_erased=True):
    out = []
    for offset in range(0, len(image), 32):
        chunk = image[offset:offset + 32]
        if skip_erased and all(b == 0xFF for b in chunk) and offset != 0:
            continue
        out.append(s2_record(base + offset, chunk))
    return out


def main():
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "samples" / "sample_firmware.mot"
    name = list(b"sample.mot")
    header = [len(name) + 3, 0, 0] + name
    lines = ["S0" + "".join(f"{b:02X}" for b in header) + f"{(~sum(header)) & 0xFF:02X}"]
    lines += records(0x8000, code_image())
    lines += records(0x2400, data_image())
    lines.append("S804008000" + f"{(~(4 + 0x80)) & 0xFF:02X}")  # S8: start address 0x8000
    target.write_bytes(("\r\n".join(lines) + "\r\n").encode("ascii"))


if __name__ == "__main__":
    main()
