"""Helpers of the NAME.prepare.py and NAME.check.py steps of the operator scripts.

run_script.sh sets DRIVE, COMPANY (the company folder) and PRINT (the print folder), and for
the check step REPLAY_OUTPUT (what the replay printed)."""
import os
import re
import struct
import subprocess
import sys
import time

DRIVE, COMPANY, PRINT = (os.environ.get(k, "") for k in ("DRIVE", "COMPANY", "PRINT"))


def messages():
    """The message boxes the replay showed, in order: (title, text, answer) each."""
    with open(os.environ["REPLAY_OUTPUT"], encoding="utf-8") as f:
        output = f.read()
    quoted = r'"((?:[^"\\]|\\.)*)"'
    unquote = lambda q: re.sub(r'\\(.)', r'\1', q, flags=re.S)
    return [(unquote(m[1]), unquote(m[2]), m[3])
            for m in re.finditer(r'^message ' + quoted + ' ' + quoted + r' -> (\w+)$', output,
                                 re.M)]


def check(what, got, want):
    if got != want:
        sys.exit(f"{what}: {got!r}, expected {want!r}")


def read(name, company=None):
    with open(os.path.join(company or COMPANY, name), "rb") as f:
        return f.read()


def records(name, length, company=None):
    data = read(name, company)
    check(f"{name} length modulo {length}", len(data) % length, 0)
    return [data[i:i + length] for i in range(0, len(data), length)]


def word(r, at): return struct.unpack_from("<h", r, at)[0]
def dbl(r, at): return struct.unpack_from("<d", r, at)[0]
def text(r, at, n): return r[at:at + n].decode("cp1252").rstrip(" \0")


def counter(record, n, company=None):
    """Word n of record `record` of the counters file qorvana.tot (both from 1)."""
    return word(read("qorvana.tot", company), (record - 1) * 12 + (n - 1) * 2)


def set_words(name, changes):
    """Writes 16-bit words in place: changes is [(offset, value)]."""
    with open(os.path.join(COMPANY, name), "r+b") as f:
        for offset, value in changes:
            f.seek(offset)
            f.write(struct.pack("<h", value))


def set_customer(name, offset, value):
    """Writes bytes `value` at `offset` of the customer whose first name line is `name`."""
    customers = read("qorvana.cli")
    record = next(n for n in range(len(customers) // 752)
                  if text(customers[n * 752:(n + 1) * 752], 0, 40) == name)
    with open(os.path.join(COMPANY, "qorvana.cli"), "r+b") as f:
        f.seek(record * 752 + offset)
        f.write(value)


def pdf_text(path, *options, detached=False):
    """The text of a PDF (pdftotext OPTIONS); one that qorxpdf makes detached is waited for."""
    for _ in range(100 if detached else 0):
        if os.path.exists(path) and os.path.getsize(path) > 0:
            break
        time.sleep(0.2)
    if detached:
        time.sleep(0.5)
    return subprocess.run(["pdftotext", *options, path, "-"], capture_output=True, text=True,
                          check=True).stdout


def xml_has(path, needles):
    data = open(path, "rb").read().decode("utf-8")
    for needle in needles:
        if needle not in data:
            sys.exit(f"{os.path.basename(path)} lacks {needle!r}")
    return data


SCHEMA_123 = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "fatturapa",
                          "schemas", "Schema_VFPA12_V1.2.3.xsd")


def einvoice(name):
    """An e-invoice of the company's XML folder, valid for the 1.2.3 schema (xmllint) and for
    the program's checks (qorvana-check): its root element, namespaces dropped from the tags."""
    import xml.etree.ElementTree as ET
    path = os.path.join(COMPANY, "fatturepa", name)
    subprocess.run(["xmllint", "--noout", "--schema", SCHEMA_123, path], check=True,
                   capture_output=True)
    subprocess.run([os.environ["QORVANA_CHECK"], path], check=True)
    root = ET.parse(path).getroot()
    for element in root.iter():
        element.tag = element.tag.split("}")[-1]
    return root


def values(root, path):
    """The texts of every element at `path` (ElementTree path below the root)."""
    return [e.text for e in root.findall(path)]
