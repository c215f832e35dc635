#!/bin/sh
# pdf2txt.sh BASE - turns BASE.pdf into BASE.txt with Ghostscript.
# LectorKZ runs it from this folder with the base name as its only argument, and rewrites
# lines 6, 7 and 9 before every conversion: keep those three lines where they are.
# Line 6: root of the program's file system; line 7: this folder; line 9: Ghostscript's folder.
cd "/"
cd "."
# The Ghostscript folder is appended to the search path (empty: gs is found on the PATH).
PATH=$PATH:
base=$1
if [ -z "$base" ] || [ ! -f "./$base.pdf" ]; then
  exit 2
fi
rm -f -- "./$base.txt"
# Only a PDF is handed to Ghostscript: anything else would be run as a PostScript program.
if ! head -c 1024 -- "./$base.pdf" | grep -a -q '%PDF-'; then
  exit 3
fi
if ! gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -sOutputFile="./$base.txt" "./$base.pdf" </dev/null; then
  rm -f -- "./$base.txt"
  exit 1
fi
exit 0
