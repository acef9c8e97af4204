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
free_port() { /usr/bin/python3 "$fixtures" free-port; }
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
"$sdi" send --drive "$drive" --company 1 "$drive/fatture/IT01234567890_00002.xml" >/dev/null 2>err
check "unsigned for an administration: refused" \
    bash -c "test $? -eq 1 && grep -q 'va firmato' err && test \$(ls '$work/mail/new' | wc -l) -eq 1"
check "unsigned for an administration: not recorded" test "$(state_of IT01234567890_00002.xml)" = ""
"$sdi" send --drive "$drive" --company 1 "$drive/fatture/IT01234567890_00002.xml.p7m" >/dev/null 2>&1
"$sdi" send --drive "$drive" --company 1 "$drive/fatture/IT01234567890_00003.xml" >/dev/null 2>&1
check "three sent" test "$(ls "$work/mail/new" | wc -l)" -eq 3
# The command line alone, with no company: sent, not recorded; a wrong password never shown.
send_alone() {  # send_alone [OPTION...]: the third file, by the command line's options only
    "$sdi" send --smtp "smtp://127.0.0.1:$smtp_port" --user ditta --password-file pecpass \
        --from ditta@pec.example.it --to sdi01@pec.fatturapa.it "$@" \
        "$drive/fatture/IT01234567890_00003.xml" >out 2>err
}
printf 'pecsegreta\n' >pecpass
send_alone --cacert "$drive/certs/ca.pem"
check "send with options only" test $? -eq 0 -a "$(ls "$work/mail/new" | wc -l)" -eq 4
printf 'pecsbagliata\n' >pecpass
send_alone --cacert "$drive/certs/ca.pem"
check "wrong mail password fails" test $? -eq 1
check "wrong mail password said, never shown" bash -c "grep -q 'utente o password' err && ! grep -q pecsbagliata out err"
send_alone
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
py notification AT IT01234567890_00002.xml.p7m "$n/IT01234567890_00002_AT_001.xml" \
    "hash=$(sha256sum "$drive/fatture/IT01234567890_00002.xml.p7m" | cut -d' ' -f1)"
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
status >before.status
py notification DT IT01234567890_00001.xml.p7m "$n/IT01234567890_00001_DT_001.xml" broken
receipts "$n/IT01234567890_00001_DT_001.xml"
check "malformed notification: non-zero exit" test $? -eq 1
check "malformed notification: said in Italian" \
    grep -q "non rispetta lo schema delle notifiche (MessaggiTypes 1.1): l'elemento NotificaDecorrenzaTermini (riga 2) non contiene gli elementi previsti" err
check "malformed notification: the library's text in the log" grep -q "Missing child element" err
check "malformed notification: nothing recorded" cmp -s before.sdi "$company/qorvana.sdi"
truncate -s 65M "$n/IT01234567890_00001_DT_009.xml"   # sparse: no disk used
receipts "$n/IT01234567890_00001_DT_009.xml"
check "a notification too large: said so" \
    bash -c "grep -q 'troppo grande (oltre 64 MiB)' err && ! grep -q 'liberare spazio' err"
rm "$n/IT01234567890_00001_DT_009.xml"
# A notification of a file this company never sent changes no state; it waits, listed.
py notification DT IT09999999999_00001.xml "$n/IT09999999999_00001_DT_001.xml"
receipts "$n/IT09999999999_00001_DT_001.xml"
check "unknown file: shown as unmatched" grep -q $'^IT09999999999_00001.xml\tDT\tdecorrenza termini\t\tnon abbinata: nessuna fattura' out
check "unknown file: no state changed" cmp -s before.status <(status | head -n "$(wc -l <before.status)")
check "unknown file: listed among the unmatched" \
    grep -q $'^IT09999999999_00001.xml\t\t\tnotifica non abbinata\tDT\t' <(status)

# --- the mailbox, read by IMAP from a real dovecot IMAP server ---
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
deliver() {  # deliver NOTIFICATION...: a PEC message carrying each, into the mailbox
    for file in "$@"; do
        py pec "$work/m.eml" "$file"
        cp "$work/m.eml" "imap/home/Maildir/new/$(date +%s%N).eml"
    done
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

# --- business and consumer e-invoices (MessaggiFatturaTypes 1.0), through the mailbox ---
for p in 4 5 6 7 8 9; do
    sed "s|<ProgressivoInvio>0001A<|<ProgressivoInvio>$p<|" "$sample" >"$drive/fatture/IT01234567890_0000$p.xml"
done
hash_of() { sha256sum "$drive/fatture/IT01234567890_0000$1.xml" | cut -d' ' -f1; }
for p in 4 5 6 8 9; do "$sdi" send --drive "$drive" --company 1 "$drive/fatture/IT01234567890_0000$p.xml" >/dev/null 2>&1; done
# 00004 sent at the same moment from another workstation too: a second transmission, recorded there.
sed -i -e "/^I\tIT01234567890_00004.xml\t/{p;s/\t<[^>]*>\t/\t<altra@pec.example.it>\t/}" "$company/qorvana.sdi"
b2b() {  # b2b KIND PROGRESSIVE OUT [OPTION...]: the business flow's notification of that file
    py notification "$1" "IT01234567890_0000$2.xml" "$3" fattura "hash=$(hash_of "$2")" "${@:4}"
}
m=$work/b2b
mkdir -p "$m"
b2b RC 4 "$m/IT01234567890_00004_RC_001.xml" codice=M5UXCR1 sdi=9001
b2b NS 4 "$m/IT01234567890_00004_NS_001.xml" sdi=9002 duplicato
b2b RC 5 "$m/IT01234567890_00005_RC_001.xml" codice=0000000
b2b NS 6 "$m/IT01234567890_00006_NS_001.xml"
b2b MC 7 "$m/IT01234567890_00007_MC_001.xml"
py notification RC IT01234567890_00008.xml "$m/IT01234567890_00008_RC_001.xml" altro "hash=$(hash_of 8)"
b2b RC 9 "$m/IT01234567890_00009_RC_001.xml" broken   # a message the program cannot use
deliver "$m"/IT01234567890_0000{4_RC_001,4_NS_001,5_RC_001,6_NS_001,7_MC_001,8_RC_001,9_RC_001}.xml
receipts --imap
check "business: refused one said" test $? -eq 1
check "business: delivered, code of 7 characters" test "$(state_of IT01234567890_00004.xml)" = consegnata
check "business: the duplicate's rejection ties to the second transmission" \
    grep -q $'^IT01234567890_00004.xml\tNS\tscartata\t00002 Nome file duplicato' out
check "business: delivered, code 0000000" test "$(state_of IT01234567890_00005.xml)" = consegnata
check "business: rejected, with suggestions" \
    grep -qP '^IT01234567890_00006.xml\t.*\tscartata\tNS .*\t00305 1.1.4 CodiceDestinatario non valido \(suggerimento: Correggere il codice destinatario\); 00423' <(status)
check "business: a message in another namespace, not verified" \
    grep -q $'^IT01234567890_00008.xml\tRC\tconsegnata\t\tnon verificata' out
check "business: Hash recorded" grep -qP "^N\tIT01234567890_00005.xml\tRC\t.*\t$(hash_of 5)\t" "$company/qorvana.sdi"
check "business: failed delivery before its sending is recorded: waits" \
    grep -q $'^IT01234567890_00007.xml\t\t\tnotifica non abbinata\tMC' <(status)
check "business: the message it could not use is kept" \
    grep -qP '^qorvana-sdi: IT01234567890_00009_RC_001.xml: notifica non utilizzabile.*RicevutaConsegna \(riga 2\)' err
kept=$(ls "$company/notifiche_sospese")
check "business: kept and listed" grep -qP "^$kept\t\t\tmessaggio da rileggere\t\timaps://" <(status)
mark_before=$(grep -P '^M\t' "$company/qorvana.sdi")
receipts --imap
check "business: kept message read again, the mailbox mark past it" \
    test "$(grep -c 'notifica non utilizzabile' err)" -eq 1 -a ! -s out -a "$(grep -P '^M\t' "$company/qorvana.sdi")" = "$mark_before"
# The program can use it now (here: its notification mended): read, recorded, no longer kept.
b2b RC 9 "$m/IT01234567890_00009_RC_001.xml"
py pec "$company/notifiche_sospese/$kept" "$m/IT01234567890_00009_RC_001.xml"
receipts --imap
check "business: kept message used once it can be" \
    test "$(ls "$company/notifiche_sospese" | wc -l)|$(state_of IT01234567890_00009.xml)" = "0|consegnata"
check "business: no longer listed" test -z "$(status | grep 'da rileggere')"
# The same notification saved under another name is recorded once.
cp "$m/IT01234567890_00004_RC_001.xml" "$m/IT01234567890_00004_RC_009.xml"
receipts "$m/IT01234567890_00004_RC_009.xml"
check "business: the same notification under another name: recorded once" \
    test "$(grep -c $'^N\tIT01234567890_00004.xml\tRC' "$company/qorvana.sdi")" -eq 1 -a -n "$(grep 'già registrata' out)"
# 00007's sending recorded now: the notification that waited is tied to it.
"$sdi" send --drive "$drive" --company 1 "$drive/fatture/IT01234567890_00007.xml" >/dev/null 2>err
check "business: failed delivery tied once the sending is recorded" \
    test "$(state_of IT01234567890_00007.xml)" = "messa a disposizione"
check "business: made available since its date" \
    grep -qP '^IT01234567890_00007.xml\t.*\tmessa a disposizione\t.*nell.area riservata del cliente dal 07/12/2026$' <(status)

# --- the rejected one sent again from the command line, as the window does ---
/usr/bin/python3 -c "import struct,sys; open(sys.argv[1],'wb').write(bytes(48)+struct.pack('<h',10)+bytes(10))" "$company/qorvana.tot"
sed -i 's|<Codice>UFABCD</Codice>||' "$drive/fatture/IT01234567890_00006.xml"   # corrected
"$sdi" send --drive "$drive" --company 1 "$drive/fatture/IT01234567890_00006.xml" >out 2>err
check "resend: exits 0" test $? -eq 0
check "resend: under the next progressive" \
    grep -q "^IT01234567890_00006.xml scartata: inviata di nuovo, corretta, come IT01234567890_0000B.xml a sdi07@pec.fatturapa.it" out
check "resend: the new file carries it" grep -q '<ProgressivoInvio>11</ProgressivoInvio>' "$drive/fatture/IT01234567890_0000B.xml"
check "resend: states" test "$(state_of IT01234567890_00006.xml)|$(state_of IT01234567890_0000B.xml)" = "scartata (rinviata con IT01234567890_0000B.xml)|inviata"
"$sdi" send --drive "$drive" --company 1 "$drive/fatture/IT01234567890_00006.xml" >/dev/null 2>err
check "resend: once" grep -q "già inviata di nuovo, corretta, con IT01234567890_0000B.xml" err

write_settings sbagliata "imaps://127.0.0.1:$imap_port/INBOX"
receipts --imap
check "IMAP: wrong password said, never shown" bash -c "grep -q 'utente o password' err && ! grep -q sbagliata out err"

exit $((failures > 0))
