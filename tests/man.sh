#!/bin/sh
# Every manual page given must be clean under mandoc's and groff's checks.
# mandoc's style notes are left out: they judge the installed manuals (a page
# that refers to one not yet installed), not the page itself.
status=0
for page; do
	mandoc -Tlint -Wwarning "$page" || status=1
	msgs=$(groff -mandoc -ww -z "$page" 2>&1)
	[ -z "$msgs" ] || { printf '%s\n' "$msgs"; status=1; }
done
exit $status
