#!/bin/sh
# validate.sh DESKTOP_ENTRY METAINFO: the checks of desktop-file-utils and AppStream, as a
# distribution runs them; a warning fails as an error does, a hint does not. Exit 77 (skipped)
# when a tool is missing.
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done
report=$(desktop-file-validate "$1") || { echo "$report"; exit 1; }
echo "$report"
case $report in *": warning: "*) exit 1 ;; esac
appstreamcli validate --no-net "$2"
