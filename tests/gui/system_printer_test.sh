#!/bin/bash
# The print button's path on real print queues. Starts a private print
# scheduler whose configuration, spool, logs and state all live in a scratch
# folder, listening on a socket there, with two queues: a cups-pdf queue, the
# default, whose driver prints every document into a folder as a PDF file,
# and a generic PDF printer whose device is a file. Then runs the system
# printer tests,
# which print on each queue by name. The scheduler is stopped and the scratch
# folder removed however the test ends. Of the system's print configuration
# only the cups-pdf queue's own cups-pdf-NAME.conf is written, and it is
# removed again.
#
# Usage: system_printer_test.sh SYSTEM_PRINT_TESTS [TEST ARGUMENTS]
# Exit 77 (skipped) where no private scheduler can run here: the print system
# is not installed, or the developer is not root (the scheduler and the
# cups-pdf backend need root, and the queue's configuration lives in
# /etc/cups). A fault of the program or of an installed print system fails.
set -u

tests=${1:?usage: $0 SYSTEM_PRINT_TESTS}

skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "FAILED: $*" >&2
    exit 1
}

find_tool() {
    command -v "$1" 2>/dev/null || { [ -x "/usr/sbin/$1" ] && echo "/usr/sbin/$1"; }
}

cupsd=$(find_tool cupsd) || skip "the print system is not installed (no cupsd; Debian package cups)"
lpadmin=$(find_tool lpadmin) || skip "the print system is not installed (no lpadmin; Debian package cups-client)"
lpstat=$(find_tool lpstat) || skip "the print system is not installed (no lpstat; Debian package cups-client)"

[ "$(id -u)" = 0 ] || skip "a private print scheduler and its cups-pdf backend need root; run as root to print on real queues"
[ -w /etc/cups ] || skip "/etc/cups is not writable, so the cups-pdf queue cannot be configured"

ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -x /usr/lib/cups/backend/cups-pdf ] && [ -r "$ppd" ] ||
    fail "no cups-pdf printer driver (Debian package printer-driver-cups-pdf)"
command -v gs >/dev/null || fail "no Ghostscript, which the cups-pdf queue prints with (Debian package ghostscript)"
command -v pdftotext >/dev/null || fail "no pdftotext to read the printed document (Debian package poppler-utils)"

queue=kestrane_report_$$
file_queue=kestrane_file_$$
work=$(mktemp -d /tmp/kestrane-cups.XXXXXX) || fail "no scratch folder"
queue_conf=/etc/cups/cups-pdf-$queue.conf
cupsd_pid=

stop() {
    local status=$?
    if [ -n "$cupsd_pid" ]; then
        kill "$cupsd_pid" 2>/dev/null
        for _ in $(seq 50); do kill -0 "$cupsd_pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$cupsd_pid" 2>/dev/null
        wait "$cupsd_pid" 2>/dev/null
    fi
    rm -f "$queue_conf"
    if [ "$status" != 0 ] && [ "$status" != 77 ]; then
        echo "--- scheduler log"
        cat "$work/log/error_log" 2>/dev/null
        echo "--- cups-pdf log"
        cat "$work/log/cups-pdf-${queue}_log" 2>/dev/null
    fi
    rm -rf "$work"
    exit "$status"
}
trap stop EXIT
trap 'exit 1' INT TERM HUP

# Filters run as the scheduler's user (lp) and must reach the spooled files.
chmod 0755 "$work"
mkdir -p "$work/conf/ppd" "$work/spool/tmp" "$work/log" "$work/state" "$work/cache" "$work/out" "$work/file" "$work/cups-pdf-spool"
chgrp lp "$work/spool" "$work/spool/tmp" "$work/cache" 2>/dev/null
chmod 0710 "$work/spool"
chmod 1770 "$work/spool/tmp"
chmod 0770 "$work/cache"
socket=$work/cups.sock

cat >"$work/conf/cupsd.conf" <<EOF
Listen $socket
LogLevel info
Browsing No
WebInterface No
DefaultShared No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF

cat >"$work/conf/cups-files.conf" <<EOF
ServerRoot $work/conf
RequestRoot $work/spool
TempDir $work/spool/tmp
StateDir $work/state
CacheDir $work/cache
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
Printcap $work/printcap
SystemGroup root
CreateSelfSignedCerts no
FileDevice Yes
EOF

cat >"$queue_conf" <<EOF || skip "the cups-pdf queue's configuration $queue_conf cannot be written"
Out $work/out
Spool $work/cups-pdf-spool
Log $work/log
LogType 3
EOF

"$cupsd" -f -c "$work/conf/cupsd.conf" -s "$work/conf/cups-files.conf" &
cupsd_pid=$!

export CUPS_SERVER=$socket
for _ in $(seq 100); do
    "$lpstat" -r 2>/dev/null | grep -q "is running" && break
    kill -0 "$cupsd_pid" 2>/dev/null || skip "a private print scheduler cannot start here"
    sleep 0.1
done
"$lpstat" -r | grep -q "is running" || fail "the print scheduler does not answer on $socket"

"$lpadmin" -p "$queue" -E -v "cups-pdf:/$queue" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
    -o pdftops-renderer-default=pdftocairo -o printer-is-shared=false ||
    fail "the cups-pdf queue could not be set up"
"$lpadmin" -d "$queue" || fail "the queue could not be made the default"
"$lpadmin" -p "$file_queue" -E -v "file://$work/file/report.pdf" \
    -m lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd -o printer-is-shared=false ||
    fail "the file queue could not be set up"
echo "scheduler on $socket"
"$lpstat" -p -d

KESTRANE_TEST_PDF_QUEUE=$queue KESTRANE_TEST_PDF_OUT=$work/out \
KESTRANE_TEST_FILE_QUEUE=$file_queue KESTRANE_TEST_FILE_OUT=$work/file \
    "$tests" "${@:2}"
