"""SMTP sink on 127.0.0.1 that requires a login: python3 smtp_auth_sink.py PORT MAILDIR USER PASSWORD"""
import sys
import time

from aiosmtpd.controller import Controller
from aiosmtpd.handlers import Mailbox
from aiosmtpd.smtp import AuthResult, LoginPassword

port, maildir, user, password = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]


def authenticate(server, session, envelope, mechanism, auth_data):
    ok = isinstance(auth_data, LoginPassword) and auth_data.login.decode() == user \
        and auth_data.password.decode() == password
    return AuthResult(success=ok, handled=False)


controller = Controller(Mailbox(maildir), hostname="127.0.0.1", port=port,
                        authenticator=authenticate, auth_require_tls=False,
                        auth_required=True)
controller.start()
try:
    while True:
        time.sleep(1)
finally:
    controller.stop()
