#!/bin/bash
# qorxpdf end to end: rendering, a reprint replacing its PDF, damaged images, and e-mail to SMTP sinks
# on 127.0.0.1 (plain, with a login, and a closed port).
# Usage: qorxpdf_test.sh QORXPDF SOURCE_DIR
set -u
qorxpdf=$1
here=$2/tests/tools
work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/runtime
mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
failures=0
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}

drive=$work/drive
data=$drive/qorwin/qorwin
mkdir -p "$data/qoraz0.001"
arg='\qorwin\qorwin\qoraz0.001\qorvana.lxf,c:\qordoc.rto,C:\pdf\ftr15.pdf'
# The operator's message comes on standard output, the system's texts on standard error.
run() { "$qorxpdf" --drive "$drive" "$@" >"$work/said" 2>"$work/stderr"; }

# Two pages: a boxed title and a line of text on page 1, an accented text on page 2.
printf '%s\r\n' '#FILEFORMAT=KVX-RTO' \
    ' 2' ' 2' ' 10' ' 10' ' 200' ' 30' ' .5' ' 0' ' 7' \
    ' 3' ' 20' ' 15' ' 0' ' 0' ' 14' ' 4' 'FATTURA' 'Arial' ' 1' ' 0' \
    ' 3' ' 20' ' 50' ' 0' ' 0' ' 10' ' 0' 'Viti zincate' 'Arial' ' 0' ' 0' \
    ' 0' ' 150' ' 40' ' 30' ' 10' '' 'c:\manca.bmp' '' ' 9' \
    ' 3' ' 20' ' 50' ' 0' ' 0' ' 10' ' 0' 'Totale pagina due' 'Times New Roman' ' 0' ' 1' \
    ' 9' >"$drive/qordoc.rto"
printf 'larghezza=148\r\naltezza=210\r\n' >"$data/qoraz0.001/qorvana.lxf"

run "$arg,***"
check "render exits 0" test $? -eq 0
pdf=$drive/pdf/ftr15.pdf
text=$(pdftotext "$pdf" - 2>/dev/null)
check "render text page 2" grep -q "Totale pagina due" <<<"$text"
check "render pages" grep -q "^Pages: *2$" <<<"$(pdfinfo "$pdf")"
check "page size from qorvana.lxf" grep -q "Page size: *420 x 595" <<<"$(pdfinfo "$pdf")"
check "log line" grep -q $'\tOK\tC:\\\\pdf\\\\ftr15.pdf\t\\*\\*\\*\t$' <(tr -d '\r' <"$data/qorxpdf.log")

# A reprint of the same document replaces its PDF; the drive root as the module passes it, in
# the environment.
sed -i 's/^Viti zincate/Viti ristampate/' "$drive/qordoc.rto"
QORVANA_DRIVE=$drive "$qorxpdf" "$arg,***" 2>"$work/stderr"
check "reprint exits 0" test $? -eq 0
check "reprint replaces the PDF" grep -q "Viti ristampate" <<<"$(pdftotext "$pdf" - 2>/dev/null)"
check "no other PDF" test "$(ls "$drive/pdf")" = ftr15.pdf

# A damaged image: non-zero exit, message, no PDF and the existing one untouched.
head -c 60 "$drive/qordoc.rto" >"$drive/cut.rto"
run '\x\qorvana.lxf,c:\cut.rto,C:\pdf\cut.pdf,***'
check "damaged image fails" test $? -ne 0
check "damaged image message" grep -q '^Il PDF C:\\pdf\\cut.pdf non è stato creato. Il file di stampa è danneggiato o incompleto' "$work/said"
check "damaged image leaves no PDF" test -z "$(ls "$drive/pdf" | grep -v '^ftr15')"
check "damaged image logged" grep -q $'\tERRORE\tC:\\\\pdf\\\\cut.pdf' "$data/qorxpdf.log"

# Unreadable image and layout (a folder in the file's place): told by their suite paths, exit 1,
# a log line, no PDF.
mkdir "$drive/qordoc9.rto" "$data/qoraz0.001/qorvana.lxf.d"
run '\qorwin\qorwin\qoraz0.001\qorvana.lxf,c:\qordoc9.rto,C:\pdf\ftr9.pdf,***'
check "unreadable image fails" test $? -eq 1
check "unreadable image told" grep -q '^Il PDF C:\\pdf\\ftr9.pdf non è stato creato. Il file c:\\qordoc9.rto non può essere letto: al posto del file c.è una cartella' "$work/said"
check "unreadable image logged" grep -q $'\tERRORE\tC:\\\\pdf\\\\ftr9.pdf\t' "$data/qorxpdf.log"
mv "$data/qoraz0.001/qorvana.lxf" "$work/lxf" && mv "$data/qoraz0.001/qorvana.lxf.d" "$data/qoraz0.001/qorvana.lxf"
run "$arg,***"
check "unreadable layout fails" test $? -eq 1
check "unreadable layout told" grep -q 'qoraz0.001\\qorvana.lxf non può essere letto' "$work/said"
check "unreadable layout logged" test "$(grep -c $'\tERRORE\t' "$data/qorxpdf.log")" -eq 3
check "unreadable layout leaves the PDF" grep -q "Viti ristampate" <<<"$(pdftotext "$pdf" - 2>/dev/null)"
rmdir "$data/qoraz0.001/qorvana.lxf" && mv "$work/lxf" "$data/qoraz0.001/qorvana.lxf"
# An unreadable qorxpdf.ini (PDF made, mail not sent, both said): failures.qrs.

free_port() { /usr/bin/python3 "$here/sdi_fixtures.py" free-port; }
wait_port() { for _ in $(seq 100); do (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0; sleep 0.1; done; return 1; }
settings() {  # settings PORT [USER PASSWORD]
    printf 'server=127.0.0.1\r\nporta=%s\r\nsicurezza=none\r\nmittente=fatture@ditta.it\r\n' "$1"
    printf 'utente=%s\r\npassword=%s\r\noggetto=Fattura {file}\r\ntesto=In allegato {file}.\\nSaluti\r\n' "${2:-}" "${3:-}"
}

# Plain sink: the message arrives with its headers and the PDF attached.
port=$(free_port)
/usr/bin/python3 -m aiosmtpd -n -l "127.0.0.1:$port" -c aiosmtpd.handlers.Mailbox "$work/mail" 2>"$work/sink.log" &
pids+=($!)
wait_port "$port"
settings "$port" >"$data/qorxpdf.ini"
run "$arg,cliente@example.it"
check "mail sent" test $? -eq 0
message=$(cat "$work"/mail/new/* 2>/dev/null)
check "mail subject" grep -q "^Subject: Fattura ftr15.pdf" <<<"$message"
check "mail date and id" grep -qi "^Message-ID: <.*@ditta.it>" <<<"$message"
read -r name digest to < <(/usr/bin/python3 "$here/sdi_fixtures.py" attachment "$work"/mail/new/*)
check "attachment is the PDF" test "$name $digest $to" = "ftr15.pdf $(sha256sum "$pdf" | cut -d' ' -f1) cliente@example.it"
# A subject beyond ASCII (Windows-1252 in the settings) travels as an RFC 2047 encoded word.
settings "$port" | sed 's/^oggetto=Fattura/oggetto=Fattura n\xb0/' >"$data/qorxpdf.ini"
rm -f "$work"/mail/new/*
run "$arg,cliente@example.it"
check "non-ASCII subject encoded" grep -q "^Subject: =?UTF-8?B?" "$work"/mail/new/*
subject=$(/usr/bin/python3 -c 'import email, email.policy, sys; print(email.message_from_binary_file(open(sys.argv[1], "rb"), policy=email.policy.default)["Subject"])' "$work"/mail/new/*)
check "non-ASCII subject decoded" test "$subject" = "Fattura n° ftr15.pdf"

# A sink that requires a login: the wrong password fails and is reported, never logged.
port=$(free_port)
/usr/bin/python3 "$here/sdi_fixtures.py" smtp-sink "$port" "$work/authmail" - - fatture segreto 2>"$work/authsink.log" &
pids+=($!)
wait_port "$port"
settings "$port" fatture sbagliata >"$data/qorxpdf.ini"
run "$arg,cliente@example.it"
check "wrong password fails" test $? -ne 0
check "wrong password told in Italian" grep -q "rifiutato utente o password" "$work/said"
check "wrong password not logged" bash -c "! grep -q sbagliata '$data/qorxpdf.log' '$work/stderr' '$work/said'"
settings "$port" fatture segreto >"$data/qorxpdf.ini"
run "$arg,cliente@example.it"
check "right password sends" test $? -eq 0 -a -n "$(ls "$work/authmail/new")"

# A closed port: failure reported.
settings "$(free_port)" >"$data/qorxpdf.ini"
run "$arg,cliente@example.it"
check "refused connection fails" test $? -ne 0
check "refused connection message" grep -q "il server di posta non risponde: controllare server e porta" "$work/said"
check "refused connection system text only logged" bash -c "grep -q 'non riuscito: .*onnect' '$data/qorxpdf.log' && ! grep -q 'onnect' '$work/said'"
check "refused connection logged" grep -q $'\tERRORE\t.*\tcliente@example.it\t' "$data/qorxpdf.log"

# Not one address: refused before any connection, and said so.
run "$arg,cliente@example.it@altro.it"
check "bad address fails" test $? -ne 0
check "bad address told" grep -q "l'indirizzo di posta del cliente non è valido" "$work/said"

exit $((failures > 0))
