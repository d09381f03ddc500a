#!/bin/sh
# Writes a generated VBA project for the benchmarks: MODULES exported standard
# modules (Module0001.bas ...) of about KB kilobytes each, in the form the
# editor exports, CR LF. Every module is the same declarations and a run of
# procedures with keywords, comments, strings, operators, tabs, a Type block
# and continued lines.
#
#   tools/make_project.sh FOLDER MODULES KB
set -eu
if [ $# -ne 3 ]; then
  sed -n 2,7p "$0" >&2
  exit 2
fi
FOLDER=$1
MODULES=$2
KB=$3
mkdir -p "$FOLDER"
awk -v kb="$KB" 'BEGIN {
  n = 0; p = 0
  printf "Option Explicit\r\n\r\nPrivate mTotal As Currency\r\nPrivate Type Item\r\n\tCode As String\r\n\tPrice As Currency\r\nEnd Type\r\n"
  while (n < kb * 1024) {
    p++
    s = sprintf("\r\n'"'"' Procedure %d: totals of the stock report (running sum, <rate> & tax)\r\n", p)
    s = s sprintf("Public Function Total%d(ByVal items As Collection, Optional ByVal rate As Double = 0.1) As Currency\r\n", p)
    s = s "    Dim item As Variant, sum As Currency: sum = 0\r\n"
    s = s "    For Each item In items\r\n"
    s = s "        If item.Quantity > 0 And item.Price <> 0 Then sum = sum + item.Quantity * item.Price '"'"' running\r\n"
    s = s "        Debug.Print \"Item: \" & item.Code & \" <\" & item.Name & \">\"; Tab(20); sum\r\n"
    s = s "\t\tmTotal = mTotal + sum: If mTotal > &H7FFF Then mTotal = 0\r\n"
    s = s "    Next item\r\n"
    s = s sprintf("    Total%d = sum * (1 + rate) + _\r\n              mTotal / 100\r\n", p)
    s = s "End Function\r\n"
    printf "%s", s
    n += length(s)
  }
}' > "$FOLDER/.module"
i=1
while [ "$i" -le "$MODULES" ]; do
  name=$(printf 'Module%04d' "$i")
  { printf 'Attribute VB_Name = "%s"\r\n' "$name"; cat "$FOLDER/.module"; } > "$FOLDER/$name.bas"
  i=$((i + 1))
done
rm "$FOLDER/.module"
