# The files of picker_many.qrs: note 1040 invoiced and named in its invoice's "DDT" after the
# typed one; note 1039, imported and then replaced by that invoice's lines, still open.
from check_lib import check, read, records, word

notes = {word(r, 0): word(r, 93) for r in records("qorvana.bol", 97) if word(r, 83) == 1}
check("notes invoiced", (notes[1039], notes[1040]), (0, 1))
check("the first invoice's DDT", read("f1").split(b"\r\n")[2], b"A1 1040")
