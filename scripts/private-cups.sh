#!/usr/bin/env bash
# private-cups.sh start <dir> | stop <dir>: a private cupsd with the cups-pdf queues "BillPrinter"
# and "ReportPrinter", for the end-to-end print tests. Prints the CUPS_SERVER value on start.
# cupsd must start as root (it hands jobs to the lp user and runs the cups-pdf backend as root), so
# a user who is not root runs this script again through sudo.
set -euo pipefail
usage() {
  echo "usage: $0 start|stop <dir>" >&2
  exit 2
}
# A process that has not ended (a zombie has: it only waits to be reaped).
alive() { [ -r "/proc/$1/stat" ] && [ "$(sed 's/.*) \(.\).*/\1/' "/proc/$1/stat")" != Z ]; }
[ $# -eq 2 ] || usage
cmd=$1
dir=$2
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "$0: the print server must start as root, and sudo is not installed" >&2
    exit 1
  fi
  exec sudo -- "$(cd "$(dirname "$0")" && pwd)/$(basename "$0")" "$cmd" "$dir"
fi

case "$cmd" in
  start)
    mkdir -p "$dir"/{spool,cache,state,log,ppd}
    dir=$(cd "$dir" && pwd)  # cupsd wants absolute paths
    chmod 755 "$dir"
    # Browsing off: the test queues are never announced on the network.
    cat > "$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
Browsing No
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
    # cups-pdf names a PDF after the job's title and number, and every print server writes into the
    # same folder: each server numbers its jobs from a start of its own, so one never takes another's name.
    printf '# Job cache file for CUPS\nNextJobId %d\n' $(( (RANDOM * 32768 + RANDOM) % 900000000 + 100000 )) \
      > "$dir/cache/job.cache"
    chown -R lp:lp "$dir"/{spool,cache,state,log} 2>/dev/null || true
    # pdftocairo writes a font that has Latin and other letters as two subsets of one FontName, and
    # Ghostscript, making the PDF in cups-pdf, takes the second for the first and draws its glyphs as
    # bitmaps that carry no text (a Thai font's digits come back as other characters). This last
    # filter gives every later subset a name of its own; cupsd runs only a root-owned filter.
    mkdir -p "$dir/filter"
    cat > "$dir/filter/uniquefonts" <<'FILTER'
#!/bin/sh
# uniquefonts job user title copies options [file]: the PostScript with each FontName defined once.
LC_ALL=C awk '
  /^\/FontName \/[^ ]+ def$/ {
    name = substr($2, 2)
    if (seen[name]++) { print "/FontName /" name "-" seen[name] " def"; next }
  }
  { print }
' ${6:+"$6"}
FILTER
    chmod 755 "$dir/filter" "$dir/filter/uniquefonts"
    sed 's|^\*% cupsFilter:.*|*cupsFilter: "application/vnd.cups-postscript 0 '"$dir"'/filter/uniquefonts"|' \
      /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd > "$dir/cups-pdf.ppd"
    # Its own output goes to a log, so a caller reading this script's output does not wait for cupsd.
    /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" </dev/null >"$dir/log/cupsd.out" 2>&1 &
    pid=$!
    echo "$pid" > "$dir/cupsd.pid"
    # Up to 30 s for the socket: a loaded machine starts cupsd slowly.
    end=$((SECONDS + 30))
    while [ $SECONDS -lt $end ]; do
      [ -S "$dir/cups.sock" ] && break
      alive "$pid" || break
      sleep 0.1
    done
    if [ ! -S "$dir/cups.sock" ]; then
      echo "$0: cupsd did not start:" >&2
      cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
      kill "$pid" 2>/dev/null || true
      exit 1
    fi
    export CUPS_SERVER="$dir/cups.sock"
    # lpadmin warns on every call that printer drivers are deprecated: show its output only on failure.
    # The PDF a job becomes must keep its text (tests read it back with pdftotext): the PostScript
    # that cups-pdf takes in is made with pdftocairo, since Ghostscript's own conversion loses the
    # characters of the embedded fonts.
    add_queue() {
      local out
      if ! out=$(/usr/sbin/lpadmin -p "$1" -E -v cups-pdf:/ -P "$dir/cups-pdf.ppd" \
                 -o pdftops-renderer-default=pdftocairo 2>&1); then
        echo "$out" >&2
        kill "$pid" 2>/dev/null || true
        exit 1
      fi
    }
    add_queue BillPrinter
    add_queue ReportPrinter
    echo "$dir/cups.sock"
    ;;
  stop)
    if [ -f "$dir/cupsd.pid" ]; then
      pid=$(cat "$dir/cupsd.pid")
      kill "$pid" 2>/dev/null || true
      # Up to 10 s for it to go, so the caller can remove the folder under it.
      end=$((SECONDS + 10))
      while [ $SECONDS -lt $end ]; do
        alive "$pid" || break
        sleep 0.1
      done
    fi
    ;;
  *)
    usage
    ;;
esac
