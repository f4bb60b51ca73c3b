#!/usr/bin/env bash
# Starts the CUPS scheduler and sets up the test print queue "divisheet-test", made the
# default printer, for the printing tests. Run as root; safe to run again.
#
# Where printed jobs land: every job the queue receives is written, byte for byte as the
# program submitted it (a PDF; the queue's only filter is gziptoany), to a file of its
# own:
#     /var/spool/divisheet-test/job-<6-digit job id>.pdf
#     /var/spool/divisheet-test/job-<6-digit job id>.title   (the job's title, one line)
# The .pdf appears last and complete (it is renamed into place), so a reader that sees it
# may read both. Titles and pages are also in /var/log/cups/page_log, one line per job
# when it is done (pages counted with pdfinfo by the backend):
#     divisheet-test <job id> total <pages> <job title>
# and the PDF's own Title is the job title (pdfinfo).
#
# Why a backend of our own: a file: device URI names one file, which every job would
# overwrite. The small backend "divisheet-spool" installed below writes each job to a
# numbered file in the folder named by its device URI instead. (FileDevice Yes is set
# too, so that file: queues can be added by hand for a quick look.) The folder belongs
# to lp, which runs the backend; the files are readable by everyone.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
    echo "start-cups.sh: run this as root." >&2
    exit 1
fi

here=$(cd "$(dirname "$0")" && pwd)
queue=divisheet-test
outdir=/var/spool/divisheet-test
backend=/usr/lib/cups/backend/divisheet-spool
cupsd_conf=/etc/cups/cupsd.conf
files_conf=/etc/cups/cups-files.conf
page_log_format='PageLogFormat %p %j %P %C %{job-name}'

scheduler_running() { lpstat -r 2>/dev/null | grep -q 'is running'; }

wait_for_scheduler() {
    for _ in $(seq 1 100); do
        scheduler_running && return 0
        sleep 0.2
    done
    echo "start-cups.sh: the CUPS scheduler did not come up within 20 s." >&2
    [ -r /var/log/cups/error_log ] && tail -n 20 /var/log/cups/error_log >&2
    exit 1
}

# Sets "Key value" in a CUPS configuration file, replacing any line for the key
# (commented or empty). Prints "changed" when the file changed.
set_directive() {
    local file=$1 key=$2 line=$3
    if grep -qxF -- "$line" "$file"; then
        return 0
    fi
    local tmp
    tmp=$(mktemp)
    grep -v -E "^[#[:space:]]*${key}([[:space:]]|$)" "$file" >"$tmp" || true
    printf '%s\n' "$line" >>"$tmp"
    cat "$tmp" >"$file"
    rm -f "$tmp"
    echo changed
}

changed=
[ -n "$(set_directive "$files_conf" FileDevice 'FileDevice Yes')" ] && changed=1
[ -n "$(set_directive "$cupsd_conf" PageLogFormat "$page_log_format")" ] && changed=1

# The backend: cupsd runs it as the lp user (it is world-readable and executable) with
# the job id, user, title, copies and options as arguments and the job on stdin (or in
# the file named by a sixth argument).
backend_text=$(cat <<'BACKEND'
#!/bin/sh
# CUPS backend: writes every job to a numbered file of its own in the folder that the
# device URI names (divisheet-spool:/folder). Installed by Divisheet's start-cups.sh.
if [ $# -eq 0 ]; then
    echo 'direct divisheet-spool "Unknown" "Divisheet test spool (one file per job)"'
    exit 0
fi
if [ $# -lt 5 ]; then
    echo "Usage: divisheet-spool job-id user title copies options [file]" >&2
    exit 1
fi
dir=${DEVICE_URI#*:}
dir=/${dir#"${dir%%[!/]*}"}
name=$(printf 'job-%06d' "$1")
tmp="$dir/.$name.part"
umask 022
if [ $# -ge 6 ]; then
    cat -- "$6" >"$tmp" || exit 1
else
    cat >"$tmp" || exit 1
fi
printf '%s\n' "$3" >"$dir/$name.title" || exit 1
mv -f -- "$tmp" "$dir/$name.pdf" || exit 1
echo "INFO: written to $dir/$name.pdf" >&2
# The pass-through filter counts no pages; report them so that the page log has them.
if command -v pdfinfo >/dev/null 2>&1; then
    pages=$(pdfinfo "$dir/$name.pdf" 2>/dev/null | sed -n 's/^Pages:[[:space:]]*//p')
    page=1
    while [ -n "$pages" ] && [ "$page" -le "$pages" ]; do
        echo "PAGE: $page 1" >&2
        page=$((page + 1))
    done
fi
exit 0
BACKEND
)
if [ ! -f "$backend" ] || [ "$(cat "$backend")" != "$backend_text" ]; then
    printf '%s\n' "$backend_text" >"$backend"
fi
chown root:root "$backend"
chmod 0755 "$backend"

mkdir -p "$outdir"
chown lp:lp "$outdir"
chmod 0755 "$outdir"

# /run/cups is normally made by systemd; without it, cupsd needs it to exist.
mkdir -p /run/cups
chmod 0755 /run/cups

if scheduler_running && [ -n "$changed" ]; then
    # Reload the changed configuration.
    if command -v systemctl >/dev/null 2>&1 && systemctl is-active --quiet cups 2>/dev/null; then
        systemctl restart cups
    else
        for pid in $(pidof cupsd); do kill -HUP "$pid"; done
        sleep 1
    fi
fi
if ! scheduler_running; then
    if ! pidof cupsd >/dev/null; then
        # It detaches itself; its output goes to /var/log/cups/error_log.
        /usr/sbin/cupsd </dev/null >/dev/null 2>&1
    fi
fi
wait_for_scheduler

# lpadmin warns that PPD files are deprecated; that warning is all it says when it works.
if ! out=$(lpadmin -p "$queue" -E -v "divisheet-spool:$outdir" -P "$here/divisheet-test.ppd" \
        -D "Divisheet test queue" -L "$outdir" 2>&1); then
    printf 'start-cups.sh: lpadmin failed:\n%s\n' "$out" >&2
    exit 1
fi
printf '%s\n' "$out" | grep -v -i -e 'deprecated' -e '^$' >&2 || true
cupsenable "$queue"
cupsaccept "$queue"
lpadmin -d "$queue"

lpstat -p "$queue" -d
echo "Jobs printed on $queue land in $outdir/job-<id>.pdf (title in job-<id>.title);"
echo "titles and pages are logged in /var/log/cups/page_log."
