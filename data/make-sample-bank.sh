#!/usr/bin/env bash
# Makes the sample question bank shipped beside the program, from sample-bank.csv, with LibreOffice.
# Run by hand when the questions change; the .xlsx is committed so builds need no office suite.
set -euo pipefail
cd "$(dirname "$0")"
out="Excel格式"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp sample-bank.csv "$tmp/安全知识题库.csv"
# Filter options: 44 = comma, 34 = double quote, 76 = UTF-8, start at line 1.
soffice -env:UserInstallation=file:///tmp/lo-profile-sample --headless \
  --infilter="CSV:44,34,76,1" --convert-to xlsx --outdir "$tmp" "$tmp/安全知识题库.csv" >/dev/null
mkdir -p "$out"
cp "$tmp/安全知识题库.xlsx" "$out/"
echo "wrote $out/安全知识题库.xlsx"
