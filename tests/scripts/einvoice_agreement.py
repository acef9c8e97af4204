"""Every e-invoice says what its stored document says. For each document of the archive whose
e-invoice was written (its transmission progressive at qorvana.f2e offset 579), the file of the
XML folder with that ProgressivoInvio must hold the document's number (compared by key: "01" is
1), date, total, payment terms (the condition and mode its terms propose, due dates and
amounts) and customer; and every e-invoice of the XML folder listed to send (qorvana.sdi) must be the
file of a stored document.

run_script.sh runs it after every operator script (COMPANY set); workstations.py calls
disagreements() on its companies."""
import glob
import os
import sys
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_lib import COMPANY, counter, dbl, read, records, text, word  # noqa: E402

# Payment-mode digit of a condition code (position 23) -> ModalitaPagamento.
MODES = {0: "MP12", 1: "MP05", 2: "MP01", 3: "MP09"}


def number_key(number):
    number = number.strip(" ")
    if number.isdigit() and number.isascii():
        return number.lstrip("0") or "0"
    return "".join(c for c in number.upper() if c.isascii() and c.isalnum())


def payment_code(company, terms):
    """The condition code of payment terms number `terms` in qorvana.tab (1-based)."""
    try:
        lines = read("qorvana.tab", company).decode("cp1252").split("\r\n")
    except OSError:
        return ""
    line = 85 + 2 * (terms - 1) if terms <= 30 else 704 + 2 * (terms - 31)
    return lines[line - 1] if 1 <= terms <= 60 and line <= len(lines) else ""


def xml_folder(company):
    folder = text(read("qorvana.fpa", company), 2221, 200).replace("\\", "/").strip("/")
    found = company
    for part in folder.split("/")[3:]:  # below \qorwin\qorwin\qoraz0.NNN
        names = {n.lower(): n for n in os.listdir(found)}
        found = os.path.join(found, names.get(part.lower(), part))
    return found


def files_by_progressive(company):
    found = {}
    for path in glob.glob(os.path.join(xml_folder(company), "*.xml")):
        root = ET.parse(path).getroot()
        for element in root.iter():
            element.tag = element.tag.split("}")[-1]
        progressive = root.findtext("FatturaElettronicaHeader/DatiTrasmissione/ProgressivoInvio")
        found.setdefault(int(progressive), []).append((path, root))
    return found


def foreign_ids(company):
    """The foreign customers' tax identifiers of qorvana.fec, by customer record."""
    try:
        lines = read("qorvana.fec", company).decode("cp1252").split("\r\n")[1:]
    except OSError:
        return {}
    return {int(f[0]): f[4] for f in (line.split("\t") for line in lines) if len(f) >= 5}


def stored_document(company, fte, f2e, customers):
    """What the e-invoice of a stored document must say."""
    due = [(text(fte, 30 + 8 * i, 8), dbl(fte, 286 + 8 * i)) for i in range(4)]
    due += [(text(f2e, 98 + 8 * i, 8), dbl(f2e, 130 + 8 * i)) for i in range(2)]
    due = [(f"{d[:4]}-{d[4:6]}-{d[6:]}" if d else "", f"{a:.2f}") for d, a in due if a > 0]
    total = sum(dbl(fte, at + 8 * i) for at in (94, 158, 222) for i in range(8))
    total += sum(dbl(f2e, at + 8 * i) for at in (2, 34, 66) for i in range(4))
    code = payment_code(company, int(text(fte, 356, 40) or 0))
    mode_digit = int(code[22]) if len(code) > 22 and code[22].isdigit() else 0
    customer = customers[word(fte, 0) - 1] if 0 < word(fte, 0) <= len(customers) else b" " * 752
    date = text(fte, 22, 8)
    return {"key": number_key(text(fte, 2, 10)), "date": f"{date[:4]}-{date[4:6]}-{date[6:]}",
            "total": f"{total:.2f}", "due": due,
            "condition": "TP01" if len(due) > 1 else "TP02", "mode": MODES.get(mode_digit, "MP02"),
            "name": " ".join(filter(None, (text(customer, 0, 40), text(customer, 40, 40)))),
            "ids": {text(customer, 375, 11), text(customer, 386, 16),
                    foreign_ids(company).get(word(fte, 0))}}


def said_by_file(root):
    body = root.find("FatturaElettronicaBody")
    general = body.find("DatiGenerali/DatiGeneraliDocumento")
    details = body.findall("DatiPagamento/DettaglioPagamento")
    party = root.find("FatturaElettronicaHeader/CessionarioCommittente/DatiAnagrafici")
    return {"key": number_key(general.findtext("Numero")), "date": general.findtext("Data"),
            "total": general.findtext("ImportoTotaleDocumento"),
            "due": [(d.findtext("DataScadenzaPagamento") or "", d.findtext("ImportoPagamento"))
                    for d in details],
            "condition": body.findtext("DatiPagamento/CondizioniPagamento"),
            "mode": details[0].findtext("ModalitaPagamento") if details else None,
            "name": party.findtext("Anagrafica/Denominazione") or "",
            "person": {party.findtext("Anagrafica/Nome"), party.findtext("Anagrafica/Cognome")},
            "ids": {party.findtext("IdFiscaleIVA/IdCodice"), party.findtext("CodiceFiscale")}}


def disagreements(company=None):
    company = company or COMPANY
    count = counter(7, 1, company)
    fte = records("qorvana.fte", 522, company)[:count]
    f2e = records("qorvana.f2e", 838, company)[:count]
    customers = records("qorvana.cli", 752, company)
    files = files_by_progressive(company) if os.path.exists(os.path.join(company, "qorvana.fpa")) else {}
    problems, belonging = [], set()
    for n, (d, c) in enumerate(zip(fte, f2e), 1):
        progressive = dbl(c, 579)
        if not progressive > 0:
            continue
        want = stored_document(company, d, c, customers)
        candidates = files.get(int(progressive), [])
        fitting = [(p, r) for p, r in candidates if said_by_file(r)["key"] == want["key"]]
        if not fitting:
            problems.append(f"document {n} ({text(d, 2, 10)}): no file with progressive "
                            f"{int(progressive)} and its number among {[p for p, _ in candidates]}")
            continue
        path, root = fitting[0]
        belonging.add(os.path.basename(path).lower())
        got = said_by_file(root)
        for field in ("date", "total", "due", "condition", "mode"):
            # FatturaPA 1.0 may leave the total out.
            if got[field] != want[field] and not (field == "total" and got[field] is None):
                problems.append(f"{os.path.basename(path)} {field} {got[field]!r}, "
                                f"document {n} {want[field]!r}")
        # A person is written by first name and surname, each found in the card's name.
        named = (got["name"].startswith(want["name"][:80].rstrip()) if got["name"] else
                 all(part and part.upper() in want["name"].upper() for part in got["person"]))
        if not named or not got["ids"] & want["ids"] - {None, ""}:
            problems.append(f"{os.path.basename(path)} customer {got['name']!r} {got['ids']}, "
                            f"document {n} {want['name']!r} {want['ids']}")
    store = os.path.join(company, "qorvana.sdi")
    if os.path.exists(store):
        folder_text = text(read("qorvana.fpa", company), 2221, 200).rstrip("\\") + "\\"
        for line in open(store, encoding="cp1252").read().splitlines():
            fields = line.split("\t")
            # A rejected file corrected and sent again is listed under a progressive of its own.
            if fields[0] != "F" or len(fields) > 9 and fields[9]:
                continue
            name = fields[1]
            in_folder = fields[2].lower().startswith(folder_text.lower())
            if in_folder and name.lower() not in belonging:
                problems.append(f"{name} is listed to send but is no stored document's file")
    return problems


if __name__ == "__main__":
    found = disagreements()
    for problem in found:
        print("e-invoice disagrees:", problem, file=sys.stderr)
    sys.exit(1 if found else 0)
