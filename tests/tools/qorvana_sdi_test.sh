#!/bin/bash
# qorvana-sdi end to end, on 127.0.0.1 only: a signature with a certificate made here and
# checked by openssl; files sent to an SMTP server that requires STARTTLS and a login; the
# exchange system's notifications of every kind (files, a folder, saved PEC messages), a
# malformed one and one for an unknown file, with the state list after each; the mailbox read
# from a real dovecot IMAP server started here.
# Usage: qorvana_sdi_test.sh QORVANA_SDI SOURCE_DIR
set -u
sdi=$(realpath "$1")
fixtures=$2/tests/tools/sdi_fixtures.py
sample=$2/tests/fatturapa/data/IT01234567890_FPR01.xml
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    [ -f "$work/imap/run/master.pid" ] && kill "$(cat "$work/imap/run/master.pid")" 2>/dev/null
    sleep 0.2
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}
py() { /usr/bin/python3 "$fixtures" "$@"; }
free_port() { /usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }
wait_port() { for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0; sleep 0.1; done; return 1; }
status() { "$sdi" status --drive "$drive" --company 1; }
state_of() { status | awk -F'\t' -v f="$1" '$1 == f { print $4 }'; }

# --- certificates: a CA, the company's signing certificate in a PKCS#12 file, the servers' ---
cd "$work" || exit 1
drive=$work/drive
company=$drive/qorwin/qorwin/qoraz0.001
mkdir -p "$company" "$drive/fatture" "$drive/certs"
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out "$drive/certs/ca.pem" -days 2 \
    -subj "/CN=Prova CA" 2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout ditta.key -out ditta.csr \
    -subj "/CN=Ferramenta Rossi/serialNumber=IT01234567890" 2>/dev/null
openssl x509 -req -in ditta.csr -CA "$drive/certs/ca.pem" -CAkey ca.key -CAcreateserial \
    -out ditta.pem -days 2 2>/dev/null
printf 'firma segreta\n' >p12pass
openssl pkcs12 -export -inkey ditta.key -in ditta.pem -certfile "$drive/certs/ca.pem" \
    -out "$drive/certs/ditta.p12" -passout file:p12pass
printf 'subjectAltName=IP:127.0.0.1\n' >san.ext
openssl req -newkey rsa:2048 -nodes -keyout server.key -out server.csr -subj /CN=127.0.0.1 2>/dev/null
openssl x509 -req -in server.csr -CA "$drive/certs/ca.pem" -CAkey ca.key -CAcreateserial \
    -extfile san.ext -out server.pem -days 2 2>/dev/null

# --- e-invoices: two for public administrations, one for a business ---
pa() { sed -e "s|<FormatoTrasmissione>FPR12<|<FormatoTrasmissione>FPA12<|" \
           -e "s|versione=\"FPR12\"|versione=\"FPA12\"|" \
           -e "s|<CodiceDestinatario>ABC1234<|<CodiceDestinatario>UFABCD<|" \
           -e "s|<ProgressivoInvio>0001A<|<ProgressivoInvio>$1<|" "$sample"; }
pa 1 >"$drive/fatture/IT01234567890_00001.xml"
pa 2 >"$drive/fatture/IT01234567890_00002.xml"
cp "$sample" "$drive/fatture/IT01234567890_00003.xml"

# --- sign ---
"$sdi" sign --p12 "$drive/certs/ditta.p12" --password-file p12pass "$drive/fatture/IT01234567890_00001.xml" >out 2>err
check "sign exits 0" test $? -eq 0
p7m=$drive/fatture/IT01234567890_00001.xml.p7m
openssl cms -verify -binary -inform DER -in "$p7m" -CAfile "$drive/certs/ca.pem" -out verified.xml 2>verify.err
check "openssl cms -verify accepts the signature" grep -q "Verification successful" verify.err
check "the signature returns exactly the bytes signed" cmp -s verified.xml "$drive/fatture/IT01234567890_00001.xml"
check "CAdES-BES: signing-certificate-v2 attribute" \
    grep -qi "signingCertificateV2" <(openssl cms -cmsout -print -inform DER -in "$p7m")
printf 'sbagliata\n' >wrongpass
"$sdi" sign --p12 "$drive/certs/ditta.p12" --password-file wrongpass "$drive/fatture/IT01234567890_00002.xml" 2>err
check "wrong certificate password refused" test $? -eq 1
check "wrong password said" grep -q "password non è quella giusta" err
check "no file signed with it" test ! -e "$drive/fatture/IT01234567890_00002.xml.p7m"

# --- settings of the company, readable by its owner only ---
smtp_port=$(free_port)
settings=$company/qorvana-sdi.ini
write_settings() {
    printf 'certificato=\\certs\\ditta.p12\r\npassword_certificato=firma segreta\r\n' >"$settings"
    printf 'pec=ditta@pec.example.it\r\nsmtp=smtp://127.0.0.1:%s\r\nutente=ditta\r\npassword=%s\r\n' \
        "$smtp_port" "$1" >>"$settings"
    printf 'ca=\\certs\\ca.pem\r\nimap=%s\r\n' "${2:-}" >>"$settings"
    chmod 600 "$settings"
}
write_settings pecsegreta
"$sdi" sign --drive "$drive" --company 1 "$drive/fatture/IT01234567890_00002.xml" >/dev/null 2>err
check "sign with the company's certificate" test -s "$drive/fatture/IT01234567890_00002.xml.p7m"

# --- send, to an SMTP server that requires STARTTLS and a login ---
/usr/bin/python3 "$fixtures" smtp-sink "$smtp_port" "$work/mail" server.pem server.key ditta pecsegreta 2>sink.log &
pids+=($!)
wait_port "$smtp_port"
chmod 644 "$settings"
"$sdi" send --drive "$drive" --company 1 "$p7m" >out 2>err
check "settings readable by others refused" grep -q "chmod 600" err
chmod 600 "$settings"
"$sdi" send --drive "$drive" --company 1 "$p7m" >out 2>err
check "send exits 0" test $? -eq 0
read -r name digest to < <(py attachment "$(ls "$work"/mail/new/* | head -1)")
check "sent to the system's published address" test "$to" = "sdi01@pec.fatturapa.it"
check "attached under its own name" test "$name" = IT01234567890_00001.xml.p7m
check "attachment is the file" test "$digest" = "$(sha256sum "$p7m" | cut -d' ' -f1)"
check "state after sending" test "$(state_of IT01234567890_00001.xml)" = inviata
check "sending recorded: when and to whom" \
    grep -qP '^I\tIT01234567890_00001.xml\t20\d\d-.*\tditta@pec.example.it\tsdi01@pec.fatturapa.it\t' "$company/qorvana.sdi"
"$sdi" send --drive "$drive" --company 1 "$p7m" >/dev/null 2>err
check "the same file is not sent twice" grep -q "già stata inviata" err
"$sdi" send --drive "$drive" --company 1 "$drive/fatture/IT01234567890_00002.xml.p7m" >/dev/null 2>&1
"$sdi" send --drive "$drive" --company 1 "$drive/fatture/IT01234567890_00003.xml" >/dev/null 2>&1
check "three sent" test "$(ls "$work/mail/new" | wc -l)" -eq 3
# The command line alone, with no company: sent, not recorded; a wrong password never shown.
printf 'pecsegreta\n' >pecpass
"$sdi" send --smtp "smtp://127.0.0.1:$smtp_port" --user ditta --password-file pecpass \
    --cacert "$drive/certs/ca.pem" --from ditta@pec.example.it --to sdi01@pec.fatturapa.it \
    "$drive/fatture/IT01234567890_00003.xml" >out 2>err
check "send with options only" test $? -eq 0 -a "$(ls "$work/mail/new" | wc -l)" -eq 4
printf 'pecsbagliata\n' >pecpass
"$sdi" send --smtp "smtp://127.0.0.1:$smtp_port" --user ditta --password-file pecpass \
    --cacert "$drive/certs/ca.pem" --from ditta@pec.example.it --to sdi01@pec.fatturapa.it \
    "$drive/fatture/IT01234567890_00003.xml" >out 2>err
check "wrong mail password fails" test $? -eq 1
check "wrong mail password said, never shown" bash -c "grep -q 'utente o password' err && ! grep -q pecsbagliata out err"
"$sdi" send --smtp "smtp://127.0.0.1:$smtp_port" --user ditta --password-file pecpass \
    --from ditta@pec.example.it --to sdi01@pec.fatturapa.it "$drive/fatture/IT01234567890_00003.xml" 2>err >/dev/null
check "a server certificate not trusted: nothing sent" grep -q "certificato del server" err

# --- notifications ---
n=$work/notifications
mkdir -p "$n"
receipts() { "$sdi" receipts --drive "$drive" --company 1 "$@" >out 2>err; }
py notification RC IT01234567890_00001.xml.p7m "$n/IT01234567890_00001_RC_001.xml"
receipts "$n/IT01234567890_00001_RC_001.xml"
check "RC exits 0" test $? -eq 0
check "RC line" test "$(cat out)" = "$(printf 'IT01234567890_00001.xml.p7m\tRC\tconsegnata\t')"
check "RC state" test "$(state_of IT01234567890_00001.xml)" = consegnata

py notification NE IT01234567890_00001.xml.p7m "$n/IT01234567890_00001_NE_001.xml" EC02
receipts "$n/IT01234567890_00001_NE_001.xml"
check "NE EC02 line" test "$(cat out)" = "$(printf 'IT01234567890_00001.xml.p7m\tNE\trifiutata\tEC02 Manca il codice CIG')"
check "NE EC02 state and reason" grep -qP '^IT01234567890_00001.xml\t.*\trifiutata\tNE\tEC02 Manca il codice CIG$' <(status)

py notification MC IT01234567890_00002.xml.p7m "$n/IT01234567890_00002_MC_001.xml"
py notification AT IT01234567890_00002.xml.p7m "$n/IT01234567890_00002_AT_001.xml"
receipts "$n"   # a folder: the new ones, and those read before said as such
check "folder: AT, and MC with its reason" \
    test "$(grep 00002 out | cut -f2- | tr '\t\n' ' |')" = "AT trasmessa, non recapitabile |MC mancata consegna Casella PEC del destinatario piena|"
check "folder: notifications read before" test "$(grep -c 'già registrata$' out)" -eq 2
check "AT decides over MC" test "$(state_of IT01234567890_00002.xml)" = "trasmessa, non recapitabile"

py notification NS IT01234567890_00003.xml "$work/IT01234567890_00003_NS_001.xml"
py pec "$work/scarto.eml" "$work/IT01234567890_00003_NS_001.xml"
receipts "$work/scarto.eml"
check "NS from a saved PEC message" grep -q $'^IT01234567890_00003.xml\tNS\tscartata\t00305 1.1.4 CodiceDestinatario non valido; 00423' out
check "NS state lists the errors" grep -qP '^IT01234567890_00003.xml\t.*\tscartata\tNS 2026-12-06T10:00:00\t00305 ' <(status)
check "the system's address taken from its answer" grep -q $'^A\tsdi07@pec.fatturapa.it' "$company/qorvana.sdi"
receipts "$work/scarto.eml"
check "the same notification again: recorded once" \
    test "$(grep -c $'^N\tIT01234567890_00003.xml' "$company/qorvana.sdi")" -eq 1 -a -n "$(grep 'già registrata' out)"

cp "$company/qorvana.sdi" before.sdi
py notification DT IT01234567890_00001.xml.p7m "$n/IT01234567890_00001_DT_001.xml" broken
receipts "$n/IT01234567890_00001_DT_001.xml"
check "malformed notification: non-zero exit" test $? -eq 1
check "malformed notification: said" grep -q "non rispetta lo schema" err
check "malformed notification: nothing recorded" cmp -s before.sdi "$company/qorvana.sdi"
py notification DT IT09999999999_00001.xml "$n/IT09999999999_00001_DT_001.xml"
receipts "$n/IT09999999999_00001_DT_001.xml"
check "unknown file: shown" grep -q $'^IT09999999999_00001.xml\tDT\tdecorrenza termini\t\tfattura sconosciuta' out
check "unknown file: nothing recorded" cmp -s before.sdi "$company/qorvana.sdi"
check "status: one line per e-invoice" test "$(status | wc -l)" -eq 3

# --- the mailbox, read by IMAP from a real dovecot server ---
imap_port=$(free_port)
mkdir -p imap/run imap/state imap/home/Maildir/{cur,new,tmp}
printf 'ditta:{PLAIN}pecsegreta::::::\n' >imap/passwd
cat >imap/dovecot.conf <<CONF
base_dir = $work/imap/run
state_dir = $work/imap/state
log_path = $work/imap/dovecot.log
protocols = imap
listen = 127.0.0.1
ssl = required
ssl_cert = <$work/server.pem
ssl_key = <$work/server.key
passdb {
  driver = passwd-file
  args = scheme=PLAIN username_format=%u $work/imap/passwd
}
userdb {
  driver = static
  args = uid=nobody gid=nogroup home=$work/imap/home
}
mail_location = maildir:~/Maildir
first_valid_uid = 1
service imap-login {
  inet_listener imap {
    port = 0
  }
  inet_listener imaps {
    address = 127.0.0.1
    port = $imap_port
  }
}
service anvil {
  chroot =
}
service stats {
  chroot =
}
CONF
deliver() {  # deliver NOTIFICATION: a PEC message carrying it, into the mailbox
    py pec "$work/m.eml" "$1"
    cp "$work/m.eml" "imap/home/Maildir/new/$(date +%s%N).eml"
    chown -R nobody:nogroup imap/home
}
chmod 755 "$work"
py notification NE IT01234567890_00002.xml.p7m "$work/IT01234567890_00002_NE_001.xml" EC01
deliver "$work/IT01234567890_00002_NE_001.xml"
/usr/sbin/dovecot -F -c "$work/imap/dovecot.conf" 2>imap/stderr &
pids+=($!)
wait_port "$imap_port"
write_settings pecsegreta "imaps://127.0.0.1:$imap_port/INBOX"
receipts --imap
check "IMAP: exits 0" test $? -eq 0
check "IMAP: the notification read" test "$(cat out)" = "$(printf 'IT01234567890_00002.xml.p7m\tNE\taccettata\tEC01')"
check "IMAP: recorded" test "$(state_of IT01234567890_00002.xml)" = accettata
receipts --imap
check "IMAP: a message is read once" test ! -s out
py notification DT IT01234567890_00001.xml.p7m "$work/IT01234567890_00001_DT_002.xml"
deliver "$work/IT01234567890_00001_DT_002.xml"
receipts --imap
check "IMAP: the next message" grep -q $'\tDT\tdecorrenza termini' out
mark="^M	imaps://127.0.0.1:$imap_port/INBOX	2"
check "IMAP: UIDVALIDITY kept with the mark" grep -qP "$mark\t[1-9][0-9]*\r$" "$company/qorvana.sdi"
# The server numbers its messages anew (a new UIDVALIDITY, the same UIDs): the mailbox is read
# again from its first message, and what was recorded is not recorded twice.
cp "$company/qorvana.sdi" before.sdi
uidlist=imap/home/Maildir/dovecot-uidlist
validity=$(sed -n '1s/.* V\([0-9]*\) .*/\1/p' "$uidlist")
rm -f imap/home/Maildir/dovecot.index*
sed -i "1s/ V$validity / V$((validity + 1)) /" "$uidlist"
chown -R nobody:nogroup imap/home
receipts --imap
check "IMAP: renumbered mailbox read again" test "$(grep -c 'già registrata$' out)" -eq 2
check "IMAP: nothing recorded twice" test "$(grep -c '^N' "$company/qorvana.sdi")" -eq "$(grep -c '^N' before.sdi)"
check "IMAP: the new UIDVALIDITY kept" grep -qP "$mark\t$((validity + 1))\r$" "$company/qorvana.sdi"
write_settings sbagliata "imaps://127.0.0.1:$imap_port/INBOX"
receipts --imap
check "IMAP: wrong password said, never shown" bash -c "grep -q 'utente o password' err && ! grep -q sbagliata out err"

exit $((failures > 0))
