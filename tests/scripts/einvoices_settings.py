"""The company's settings for sending e-invoices, pointing at the test's SMTP server."""
import os
import shutil

from check_lib import COMPANY, DRIVE


def write_settings(after_confirmation=False):
    os.makedirs(os.path.join(DRIVE, "certs"), exist_ok=True)
    shutil.copy(os.environ["SDI_CA"], os.path.join(DRIVE, "certs", "ca.pem"))
    shutil.copy(os.environ["SDI_P12"], os.path.join(DRIVE, "certs", "ditta.p12"))
    path = os.path.join(COMPANY, "qorvana-sdi.ini")
    with open(path, "w", newline="") as f:
        f.write("pec=ditta@pec.example.it\r\n"
                f"smtp=smtp://127.0.0.1:{os.environ['SDI_SMTP_PORT']}\r\n"
                "utente=ditta\r\npassword=pecsegreta\r\nca=\\certs\\ca.pem\r\n"
                "certificato=\\certs\\ditta.p12\r\npassword_certificato=firma\r\n"
                + ("invio_dopo_conferma=si\r\n" if after_confirmation else ""))
    os.chmod(path, 0o600)
