#!/usr/bin/env bash
# Runs the workbook reader fuzzer over a corpus of real files: the default
# logbook and workbooks ssconvert makes from CSV.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
fuzzer=$(realpath "$1")
default_logbook=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/seeds" "$work/csv"
cp "$default_logbook" "$work/seeds/"
cd "$work/csv"
long=$(printf 'Grüße aus Köln €%.0s' $(seq 1 700))
printf 'Frequenz,Datum,Ortszeit,Bemerkungen\n6.005,2024-03-05,14:07,"%s"\n9420,2023-12-31,23:59:30,Ende\n-1.5,,,TRUE\n' "$long" > Tabelle1
printf 'Stichwort,Wert\nAntenne,12.5\nDatum,2020-02-29\n' > Notizen
convert() { ssconvert --import-type=Gnumeric_stf:stf_csvtab --export-type=Gnumeric_Excel:excel_biff8 "$@" >/dev/null 2>&1; }
convert Tabelle1 "$work/seeds/eine-tabelle.xls"
convert --merge-to="$work/seeds/zwei-blaetter.xls" Tabelle1 Notizen
"$here/../../../support/run_fuzzer.sh" "$fuzzer" -max_len=65536 "$work/seeds"
