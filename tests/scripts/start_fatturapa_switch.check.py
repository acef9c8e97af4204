# The warning of start_fatturapa_switch.qrs, asked twice (No, then Yes).
from check_lib import check, messages

warning = ("Nella scheda del cliente:\n"
           "- la partita IVA \"00215150230\" ha la cifra di controllo errata (l'ultima cifra non "
           "corrisponde alle altre: una cifra è sbagliata o scambiata) (00305)\n"
           "Il Sistema di Interscambio scarterà le sue fatture elettroniche finché la scheda "
           "non sarà corretta.\n"
           "Emettere ugualmente il documento?")
check("messages", messages(), [("Attenzione", warning, "No"), ("Attenzione", warning, "Yes")])
