#!/bin/sh
# report_pdf answers --help with its usage and takes no word with a dash for the PDF's
# name: nothing may be written in the folder it runs in.
#   report_pdf_usage.sh REPORT_PDF
set -u
tool="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail() { echo "report_pdf_usage: $*" >&2; exit 1; }

out="$("$tool" --help)"; rc=$?
[ "$rc" -eq 0 ] || fail "--help ended with $rc, not 0"
case "$out" in "usage: report_pdf <file.pdf> [dpi]"*) ;; *) fail "--help printed: $out" ;; esac
"$tool" -h >/dev/null || fail "-h failed"
"$tool" --bogus 2>err.txt; rc=$?
[ "$rc" -eq 2 ] || fail "--bogus ended with $rc, not 2"
grep -q "unknown option --bogus" err.txt || fail "--bogus said: $(cat err.txt)"
"$tool" 2>/dev/null; rc=$?
[ "$rc" -eq 2 ] || fail "no argument ended with $rc, not 2"
rm -f err.txt
left="$(ls -A)"
[ -z "$left" ] || fail "files were written: $left"
echo "report_pdf_usage: passed"
