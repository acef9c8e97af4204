"""Fixtures of the qorvana-sdi tests, made here rather than copied from anywhere:

  notification KIND INVOICE OUT [OPTION...]  the exchange system's notification KIND (RC NS MC
                                  NE DT AT) about file INVOICE; options: EC01 or EC02 (NE's
                                  outcome), broken (no signature), fattura (the business flow's
                                  schema, RC NS MC only), altro (its messages in a namespace
                                  without a schema), codice=CODE (the recipient's code),
                                  hash=HEX (the file received), sdi=N (IdentificativoSdI, else
                                  one of the file's own), duplicato (NS: 00002, the file's name
                                  already received)
  pec OUT.eml FILE [SENDER]       a certified-mail (PEC) message carrying FILE as the system
                                  sends it: the provider's envelope around the system's message
  smtp-sink PORT MAILDIR CERT KEY USER PASSWORD   an SMTP server on 127.0.0.1 that requires
                                  STARTTLS and a login, storing messages in MAILDIR; CERT and
                                  KEY "-": a login without TLS
  attachment MAILFILE             prints the attached file's name and SHA-256
  free-port                       prints a free port below Linux's ephemeral range (32768-60999),
                                  so that no client connection, of a test or of the one running
                                  beside it, takes it before the server listens on it
"""
import email
import email.policy
import hashlib
import random
import socket
import sys
import time
from email.message import EmailMessage

MESSAGES_NS = "http://www.fatturapa.gov.it/sdi/messaggi/v1.0"
BUSINESS_NS = "http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fattura/messaggi/v1.0"
OTHER_NS = "http://ivaservizi.agenziaentrate.gov.it/docs/xsd/messaggi/v1.0"
SIGNATURE = (
    '<ds:Signature><ds:SignedInfo>'
    '<ds:CanonicalizationMethod Algorithm="http://www.w3.org/TR/2001/REC-xml-c14n-20010315"/>'
    '<ds:SignatureMethod Algorithm="http://www.w3.org/2001/04/xmldsig-more#rsa-sha256"/>'
    '<ds:Reference URI=""><ds:DigestMethod Algorithm="http://www.w3.org/2001/04/xmlenc#sha256"/>'
    '<ds:DigestValue>AAAA</ds:DigestValue></ds:Reference></ds:SignedInfo>'
    '<ds:SignatureValue>AAAA</ds:SignatureValue></ds:Signature>')
ROOTS = {"RC": "RicevutaConsegna", "NS": "NotificaScarto", "MC": "NotificaMancataConsegna",
         "NE": "NotificaEsito", "DT": "NotificaDecorrenzaTermini",
         "AT": "AttestazioneTrasmissioneFattura"}
BUSINESS_ROOTS = {"RC": "RicevutaConsegna", "NS": "RicevutaScarto",
                  "MC": "RicevutaImpossibilitaRecapito"}


def notification(kind, invoice, *options):
    opts = dict(o.split("=", 1) if "=" in o else (o, "") for o in options)
    business = "fattura" in opts or "altro" in opts
    # Each file its own IdentificativoSdI, each notification its own MessageId.
    sdi = opts.get("sdi", str(4700 + int(hashlib.sha256(invoice.encode()).hexdigest()[:4], 16)))
    head = f"<IdentificativoSdI>{sdi}</IdentificativoSdI><NomeFile>{invoice}</NomeFile>"
    if business:
        head += f"<Hash>{opts.get('hash', '0' * 64)}</Hash>"
    received = "<DataOraRicezione>2026-12-06T10:00:00</DataOraRicezione>"
    code = opts.get("codice", "M5UXCR1" if business else "UFABCD")
    recipient = f"<Destinatario><Codice>{code}</Codice><Descrizione>Destinatario</Descrizione></Destinatario>"
    message = f"<MessageId>{sdi}{kind}</MessageId>"
    suggestion = "<Suggerimento>Correggere il codice destinatario</Suggerimento>" if business else ""
    errors = ("<ListaErrori><Errore><Codice>00305</Codice><Descrizione>1.1.4 "
              f"CodiceDestinatario non valido</Descrizione>{suggestion}</Errore><Errore><Codice>00423</Codice>"
              "<Descrizione>2.2.1.11 PrezzoTotale non calcolato secondo le specifiche</Descrizione>"
              f"{suggestion.replace('il codice destinatario', 'il PrezzoTotale')}</Errore></ListaErrori>")
    if "duplicato" in opts:
        errors = ("<ListaErrori><Errore><Codice>00002</Codice><Descrizione>Nome file duplicato"
                  f"</Descrizione>{suggestion}</Errore></ListaErrori>")
    body = {
        "RC": head + received + "<DataOraConsegna>2026-12-06T11:00:00</DataOraConsegna>" + recipient + message,
        "NS": head + received + errors + message,
        "MC": head + received
              + ("<DataMessaADisposizione>2026-12-07</DataMessaADisposizione>" if business else "")
              + "<Descrizione>Casella PEC del destinatario piena</Descrizione>" + message,
        "NE": head + f'<EsitoCommittente versione="1.0"><IdentificativoSdI>{sdi}</IdentificativoSdI>'
              f"<Esito>{'EC02' if 'EC02' in opts else 'EC01'}</Esito>"
              + ("<Descrizione>Manca il codice CIG</Descrizione>" if "EC02" in opts else "")
              + "</EsitoCommittente>" + message,
        "DT": head + message,
        "AT": head + received + recipient + message + f"<HashFileOriginale>{opts.get('hash', '00ff')}</HashFileOriginale>",
    }[kind]
    signature = "" if "broken" in opts else SIGNATURE
    root = BUSINESS_ROOTS[kind] if business else ROOTS[kind]
    if "altro" in opts:  # as public samples have them: the public-administration names
        root = ROOTS[kind]
    ns = OTHER_NS if "altro" in opts else BUSINESS_NS if business else MESSAGES_NS
    return (f'<?xml version="1.0" encoding="UTF-8"?>\n<types:{root} xmlns:types="{ns}" '
            f'xmlns:ds="http://www.w3.org/2000/09/xmldsig#" versione="1.0">{body}{signature}'
            f'</types:{root}>\n')


def pec(out, file, sender="sdi07@pec.fatturapa.it"):
    inner = EmailMessage()
    inner["From"] = sender
    inner["To"] = "ditta@pec.example.it"
    inner["Subject"] = "Notifica"
    inner.set_content("Il Sistema di Interscambio trasmette la notifica allegata.")
    with open(file, "rb") as f:
        inner.add_attachment(f.read(), maintype="application", subtype="octet-stream",
                             filename=file.rsplit("/", 1)[-1])
    envelope = EmailMessage()
    envelope["From"] = f'"Per conto di: {sender}" <posta-certificata@pec.example.it>'
    envelope["To"] = "ditta@pec.example.it"
    envelope["Subject"] = "POSTA CERTIFICATA: Notifica"
    envelope.set_content("Messaggio di posta certificata.")
    envelope.add_attachment(b"<postacert><intestazione/></postacert>", maintype="application",
                            subtype="xml", filename="daticert.xml")
    envelope.add_attachment(inner, filename="postacert.eml")
    with open(out, "wb") as f:
        f.write(envelope.as_bytes(policy=email.policy.SMTP))


def smtp_sink(port, maildir, cert, key, user, password):
    import ssl
    from aiosmtpd.controller import Controller
    from aiosmtpd.handlers import Mailbox
    from aiosmtpd.smtp import AuthResult, LoginPassword

    def authenticate(server, session, envelope, mechanism, auth_data):
        ok = isinstance(auth_data, LoginPassword) and auth_data.login.decode() == user \
            and auth_data.password.decode() == password
        return AuthResult(success=ok, handled=False)

    tls = {"auth_require_tls": False}
    if cert != "-":
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(cert, key)
        tls = {"tls_context": context, "require_starttls": True}
    controller = Controller(Mailbox(maildir), hostname="127.0.0.1", port=int(port),
                            server_hostname="127.0.0.1", authenticator=authenticate,
                            auth_required=True, **tls)
    controller.start()
    try:
        while True:
            time.sleep(1)
    finally:
        controller.stop()


def attachment(mailfile):
    with open(mailfile, "rb") as f:
        message = email.message_from_binary_file(f, policy=email.policy.default)
    for part in message.iter_attachments():
        data = part.get_payload(decode=True)
        print(part.get_filename(), hashlib.sha256(data).hexdigest(), message["To"])


def free_port():
    for port in random.sample(range(20000, 32000), 200):
        with socket.socket() as s:
            try:
                s.bind(("127.0.0.1", port))
            except OSError:
                continue
        print(port)
        return
    sys.exit("no free port")


if __name__ == "__main__":
    command, args = sys.argv[1], sys.argv[2:]
    if command == "notification":
        with open(args[2], "w", encoding="utf-8") as f:
            f.write(notification(args[0], args[1], *args[3:]))
    elif command == "pec":
        pec(*args)
    elif command == "smtp-sink":
        smtp_sink(*args)
    elif command == "attachment":
        attachment(args[0])
    elif command == "free-port":
        free_port()
    else:
        sys.exit("unknown command " + command)
