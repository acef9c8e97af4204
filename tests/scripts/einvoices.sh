#!/bin/bash
# The e-invoice window end to end: an SMTP server on 127.0.0.1 that requires STARTTLS stands
# for the PEC provider while einvoices.qrs sends a written e-invoice, einvoice_correction.qrs
# sends one, has it rejected and sends it again written from its stored document; then
# fatturapa12.qrs runs on a company that asks to send at confirmation.
# Usage: einvoices.sh QORVANA QORVANA_DEMO SOURCE_DIR
set -u
here=$3/tests/scripts
fixtures=$3/tests/tools/sdi_fixtures.py
work=$(mktemp -d)
sink=
trap '[ -n "$sink" ] && kill "$sink" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work" || exit 1
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj "/CN=Prova CA" 2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout server.key -out server.csr -subj /CN=127.0.0.1 2>/dev/null
printf 'subjectAltName=IP:127.0.0.1\n' >san.ext
openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -extfile san.ext \
    -out server.pem -days 2 2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout ditta.key -out ditta.csr -subj "/CN=Ditta" 2>/dev/null
openssl x509 -req -in ditta.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out ditta.pem -days 2 2>/dev/null
openssl pkcs12 -export -inkey ditta.key -in ditta.pem -out ditta.p12 -passout pass:firma
port=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
/usr/bin/python3 "$fixtures" smtp-sink "$port" "$work/mail" server.pem server.key ditta pecsegreta 2>sink.log &
sink=$!
for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break; sleep 0.1; done

export SDI_SMTP_PORT=$port SDI_CA=$work/ca.pem SDI_P12=$work/ditta.p12 SDI_MAIL=$work/mail
export SDI_SAMPLE=$3/tests/fatturapa/data/IT01234567890_FPR01.xml
status=0
bash "$here/run_script.sh" "$1" "$2" "$here/einvoices.qrs" || status=1
bash "$here/run_script.sh" "$1" "$2" "$here/einvoice_correction.qrs" || status=1
# fatturapa12.qrs with each e-invoice sent at confirmation; the sending's message follows the
# printing questions, so the checks of the last message are left out.
grep -v '^expect-message "Stampa altra copia"' "$here/fatturapa12.qrs" >"$work/send_on_confirm.qrs"
cp "$here/fatturapa12.check.py" "$work/send_on_confirm.check.py"
cp "$here/check_lib.py" "$work/"
printf 'from einvoices_settings import write_settings\nwrite_settings(after_confirmation=True)\n' \
    >"$work/send_on_confirm.prepare.py"
cp "$here/einvoices_settings.py" "$work/"
SDI_SENT_ON_CONFIRM=1 bash "$here/run_script.sh" "$1" "$2" "$work/send_on_confirm.qrs" || status=1
exit $status
