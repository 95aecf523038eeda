#!/bin/sh
# Writes the damaged set files of the reader's table test, one damage each, in the layout of the
# golden files beside this folder (CR LF line ends, fixed columns). Run it from anywhere; it writes
# next to itself. The test names each file with the message the program must give for it.
set -eu
cd "$(dirname "$0")"

. ../set_lines.sh

: >empty.set
printf 'PK\003\004\024\000\000\000\010\000' >binary.set
{
  line "Shopping list"
  line "milk and bread"
} >text-file.set
title "Damaged study" >title-only.set

# The count of dyadic variables claims 99: what follows would be read as names.
{
  title "Damaged study"
  line " 2 299  10000  00000 000010"
  names LIKE TRUST
  empty_line
} >too-many-dyadic.set
{
  title "Damaged study"
  line " 2 2 0  100012100000 000010"
  names AGE
  empty_line
} >too-many-personality.set
{
  title "Damaged study"
  line " 2 2 2  10000  000002500010"
  names LIKE TRUST
  empty_line
} >too-many-constructs.set

# The example study cut after its dyadic variable names.
{
  title "Roommate study" "Women" "Men"
  line " 4 4 3 121022 210001 010011"
  names LIKE TRUST ANXIOUS
} >roommate-cut.set
{
  title "Damaged study"
  line " 2 2 9  10000  00000 000010"
  names A B C D
} >cut-in-names.set
{
  title "Damaged study"
  line " 2 2 2  10000  00000 200010"
  names LIKE TRUST
} >cut-before-constructs.set
{
  title "Damaged study"
  line " 2 2 3  10000  00000 000011"
  names LIKE TRUST ANXIOUS
} >cut-before-reverse.set
{
  title "Damaged study"
  line " 2 2 0  10000  00001 000010"
  empty_line
} >cut-before-dropped.set

{
  title "Damaged study"
  line " 2 2 3  10000  00000 200010"
  names A B C
  line "020005070"
  line "010203"
  names C1 C2
  empty_line
} >construct-record-length.set
{
  title "Damaged study"
  line " 2 2 3  10000  00000 200010"
  names A B C
  line "010102"
  line "0101xx"
  names C1 C2
  empty_line
} >correlation-record-letters.set

# A name line running on past its names: a format record where the names belong.
{
  title "Damaged study"
  line " 2 2 3  10000  00000 000010"
  line "         A         B         C(3F2.0,2F3.0)"
  empty_line
} >name-line-too-long.set
{
  title "Damaged study"
  line " 2 2 0  10000  00000 000010"
  line "(3F2.0)"
  line "2 1 4 3"
  empty_line
} >left-over.set
# Text up to line 100 (past the first 4 KB), then a NUL on line 101.
{
  for i in $(seq 100); do line "$(printf '%048d' "$i")"; done
  printf 'ab\000cd\r\n'
} >binary-late.set
