#!/usr/bin/env bash
# private-cups.sh start <dir> | stop <dir>: a private cupsd with one cups-pdf queue "BillPrinter",
# for the end-to-end print tests. Prints the CUPS_SERVER value on start.
set -euo pipefail
cmd=$1
dir=$2
case "$cmd" in
  start)
    mkdir -p "$dir"/{spool,cache,state,log,ppd}
    chmod 755 "$dir"
    cat > "$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
    cat > "$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
CONF
    chown -R lp:lp "$dir"/{spool,cache,state,log} 2>/dev/null || true
    # Its own output goes to a log, so a caller reading this script's output does not wait for cupsd.
    /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" </dev/null >"$dir/log/cupsd.out" 2>&1 &
    echo $! > "$dir/cupsd.pid"
    for _ in $(seq 1 50); do [ -S "$dir/cups.sock" ] && break; sleep 0.1; done
    export CUPS_SERVER="$dir/cups.sock"
    # lpadmin warns on every call that printer drivers are deprecated: show its output only on failure.
    # The PDF a job becomes must keep its text (tests read it back with pdftotext): the PostScript
    # that cups-pdf takes in is made with pdftocairo, since Ghostscript's own conversion loses the
    # characters of the embedded fonts.
    add_queue() {
      local out
      if ! out=$(lpadmin -p "$1" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
                 -o pdftops-renderer-default=pdftocairo 2>&1); then
        echo "$out" >&2
        exit 1
      fi
    }
    add_queue BillPrinter
    add_queue ReportPrinter
    echo "$dir/cups.sock"
    ;;
  stop)
    [ -f "$dir/cupsd.pid" ] && kill "$(cat "$dir/cupsd.pid")" 2>/dev/null || true
    ;;
esac
