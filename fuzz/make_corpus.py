#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/: a few small
inputs per target, sound ones and typical faulty ones, from which the fuzzers start.
Inputs a fuzzer found are kept beside them by hand (named after what they show)."""
from pathlib import Path

CORPUS = Path(__file__).resolve().parent / "corpus"


def write(target, name, data):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data if isinstance(data, bytes) else data.encode("cp1252"))


def crlf(lines):
    return "".join(line + "\r\n" for line in lines)


# ---- S-record files --------------------------------------------------------------
def s2(address, data):
    fields = [len(data) + 4, (address >> 16) & 0xFF, (address >> 8) & 0xFF, address & 0xFF] + list(data)
    return "S2" + "".join(f"{b:02X}" for b in fields) + f"{(~sum(fields)) & 0xFF:02X}"


HEADER = "S00600004844521B"
VECTORS = s2(0xFFDC, bytes([0x00, 0x80, 0x00, 0x4C] * 9))  # reset vectors and the ID bytes
END = "S804008000" + f"{(~(4 + 0x80)) & 0xFF:02X}"

write("srecord_reader", "code_and_data.mot",
      crlf([HEADER, s2(0xFF00, range(16)), VECTORS, s2(0x2400, range(32, 48)), END]))
write("srecord_reader", "code_only_s9.mot", crlf([s2(0xFF00, b"LCD"), VECTORS, "S9030000FC"]))
write("srecord_reader", "bad_checksum.mot", crlf([s2(0xFF00, range(8))[:-2] + "00", VECTORS, END]))
write("srecord_reader", "no_end.mot", crlf([s2(0xFF00, range(8)), VECTORS]))
LOWER = s2(0xFF00, b"\xab\xcd")
write("srecord_reader", "lower_case.mot", crlf([LOWER[:10] + LOWER[10:].lower(), VECTORS, END]))
write("srecord_reader", "high_byte.mot", crlf([s2(0x01FF00, range(4)), VECTORS, END]))

# ---- .lcd files ------------------------------------------------------------------
START = [15, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 30, 1, 1, 30, 10, 10, 10] + [0] * 100
write("config_file", "start_set.lcd", crlf(["2"] + [str(v) for v in START] + ["....", "...", "255"]))
write("config_file", "negative.lcd", crlf(["2", "-2147483648", "2147483647", "-1"] + ["7"] * 117 + ["0001", "DEM", "3"]))
write("config_file", "version_1.lcd", crlf(["1"] + [str(i) for i in range(120)]))
write("config_file", "version_15_short.lcd", crlf(["15"] + [str(i) for i in range(50)]))
write("config_file", "damaged.lcd", "2\r\n5\r\n+6 \t7\nacht\r\n9\r\n")

# ---- Tavrix.ini --------------------------------------------------------------------
write("settings", "folder_and_size.ini",
      crlf(["/home/ute/Dokumente/TavrixDaten\t\t;Aktueller Pfad", "800\t\t;Bildbreite", "600\t\t;Bildhöhe"]))
write("settings", "folder_with_blank.ini",
      crlf(["C:/Eigene Dateien/Tavrix  \t\t;Aktueller Pfad", "1022\t\t;Bildbreite", "766\t\t;Bildhöhe"]))
write("settings", "two_lines.ini", crlf(["/tmp\t\t;Aktueller Pfad", "900\t\t;Bildbreite"]))
write("settings", "bare_lf.ini", "/daten/Größe\n-5\n\n\n70000")

# ---- GeraeteTyp.ini ---------------------------------------------------------------
NAMES = [f"Typ{k:03d}\t; Verstärker {k}" for k in range(256)]
write("device_types", "complete.ini", crlf(NAMES))
write("device_types", "one_short.ini", crlf(NAMES[:255]))
write("device_types", "no_last_line_end.ini", crlf(NAMES)[:-2])
write("device_types", "long_and_empty.ini", crlf(["X" * 60, "", "   ", "Ä" * 51 + "ß"] + NAMES[:10]))

# ---- the download ------------------------------------------------------------------
def fields(values):
    return b"".join(str(v).encode() + b"_" for v in values)


VALUES = [(i * 37) % 1200 - (i == 3) * 42 for i in range(120)]
TIMES = [0] * 964 + [3600 * 6 * i + 97 * i * i + 41 for i in range(36)]
CODES = [0] * 964 + [(3, 7, 12, 1, 18, 22, 5, 9, 30, 14, 2, 25)[i % 12] for i in range(36)]
BLOCK = fields(VALUES) + fields(TIMES) + fields(CODES) + b"0001DEM\xaf"
ZEROS = fields([0] * 2120) + b"1234ABC\xaf"
TAIL = bytes([2, 0, 3]) + b"7.5_"

write("download_block", "demo_board.bin", BLOCK)
write("download_block", "zeros.bin", ZEROS)
write("download_block", "extra_field.bin", ZEROS[:-8] + b"0_" + ZEROS[-8:])
write("download_block", "mark_cut_short.bin", fields([0] * 2120) + b"12\xaf")

write("download_exchange", "demo_board.bin", BLOCK + TAIL)
write("download_exchange", "zeros.bin", ZEROS + TAIL)
write("download_exchange", "wrong_version.bin", ZEROS + bytes([3, 0, 3]) + b"7.5_")
write("download_exchange", "long_version_text.bin", ZEROS + bytes([2, 1, 9]) + b"V" * 17 + b"_")
write("download_exchange", "silent_after_block.bin", ZEROS)
write("download_exchange", "too_many_fields.bin", b"_" * 3100 + b"1234ABC\xaf" + TAIL)
