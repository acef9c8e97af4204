# The warning of start_fatturapa_switch.qrs (its text: einvoices_all.check.py), asked twice: No,
# then Yes.
from check_lib import check, messages

check("asked", [(m[1].startswith("Nella scheda del cliente:\n- la partita IVA \"00215150230\""), m[2])
                for m in messages()], [(True, "No"), (True, "Yes")])
