#!/bin/sh
# Writes the golden set files of the writer and reader tests, line by line from the layout of the
# set file (CR LF line ends, fixed columns), independently of the program. Run it from anywhere;
# it writes next to itself. The tests build the same studies through the main window and compare
# the program's files with these byte for byte.
#
# Parameter line columns: 1-2 subgroup 1, 3-4 subgroup 2, 5-6 dyadic count, 7-9 groups,
# 10 design, 11 input pattern, 12 output, 13 read order, 14-15 personality count, 16 self
# measures, 17 technical output, 18 second format, 19 format line count, 20 dropped subjects,
# 21-22 construct count, 23 effect estimates, 24 raw data, 25 reorder pattern, 26 new or same,
# 27 reverse scoring.
set -eu
cd "$(dirname "$0")"

. ./set_lines.sh

# The example study: 12 groups of 4 women and 4 men, three dyadic variables with TRUST reverse
# scored (sum 8), two personality variables read after the dyadic ones, subject 3 dropped.
{
  title "Roommate study" "Women" "Men"
  line " 4 4 3 121022 210001 010011"
  names LIKE TRUST ANXIOUS
  names AGE EXTRAV
  line "00008010"
  line "(3F2.0,2F3.0)"
  line "11011111"
} >roommate.set

# Nothing but the sizes: title, parameter line and one empty format line.
{
  title "Minimal study"
  line " 3 2 0  50000  00000 000010"
  empty_line
} >minimal.set

{
  title "Eight dyadic variables"
  line " 2 2 8 100000  00000 000010"
  names VAR1 VAR2 VAR3 VAR4 VAR5 VAR6 VAR7 VAR8
  empty_line
} >dyadic8.set

{
  title "Nine dyadic variables"
  line " 2 2 9 100000  00000 000010"
  names VAR1 VAR2 VAR3 VAR4 VAR5 VAR6 VAR7 VAR8
  names VAR9
  empty_line
} >dyadic9.set

{
  title "Sixteen dyadic variables"
  line " 2 216 100000  00000 000010"
  names VAR1 VAR2 VAR3 VAR4 VAR5 VAR6 VAR7 VAR8
  names VAR9 VAR10 VAR11 VAR12 VAR13 VAR14 VAR15 VAR16
  empty_line
} >dyadic16.set

{
  title "Seventeen dyadic variables"
  line " 2 217 100000  00000 000010"
  names VAR1 VAR2 VAR3 VAR4 VAR5 VAR6 VAR7 VAR8
  names VAR9 VAR10 VAR11 VAR12 VAR13 VAR14 VAR15 VAR16
  names VAR17
  empty_line
} >dyadic17.set

# Names of 10 characters fill their fields; one personality variable read before.
{
  title "Long names"
  line " 2 2 2 100001 100000 000010"
  line "ABCDEFGHIJKLMNOPQRST"
  line "EXTRAVERSI"
  empty_line
} >name10.set

# Format records: 80 characters take one line, 81 take two.
{
  title "Format of 80"
  line " 2 2 0 100000  00000 000010"
  line "12345678901234567890123456789012345678901234567890123456789012345678901234567890"
} >format80.set

{
  title "Format of 81"
  line " 2 2 0 100000  00010 000010"
  line "12345678901234567890123456789012345678901234567890123456789012345678901234567890"
  line "X"
} >format81.set

# Two records of 50 and 100 characters: each takes two lines.
{
  title "Two formats"
  line " 2 2 0 100000  00110 000010"
  line "ABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJ"
  empty_line
  line "12345678901234567890123456789012345678901234567890123456789012345678901234567890"
  line "12345678901234567890"
} >format50_100.set

# Reverse scoring with TRUST and ANXIOUS marked, sum 7.
{
  title "Reverse scored"
  line " 2 2 3 100000  00000 000011"
  names LIKE TRUST ANXIOUS
  line "00007011"
  empty_line
} >reverse_marked.set

# Reverse scoring switched on with no variable marked: no reverse-scoring line.
{
  title "Reverse not marked"
  line " 2 2 3 100000  00000 000010"
  names LIKE TRUST ANXIOUS
  empty_line
} >reverse_unmarked.set

# Rows and columns reordered in different ways, new records for each of 2 groups: 4 records.
{
  title "Reordered"
  line " 2 2 0  20000  00000 000400"
  empty_line
  line "2 1 4 3"
  line "1 2 3 4"
  line "4 3 2 1"
  line "3 4 1 2"
} >reorder.set

# Subjects 1 and 4 of 2 + 2 dropped.
{
  title "Dropped"
  line " 2 2 0 100000  00001 000010"
  empty_line
  line "0110"
} >dropped.set

# Constructs POS (LIKE, TRUST) and NEG (ANXIOUS); HOSTILE, in no construct, gets one of its own
# when saved. No correlated errors: every variable ends with a code of its own.
{
  title "Constructs"
  line " 2 2 4 100000  00000 300010"
  names LIKE TRUST ANXIOUS HOSTILE
  line "01010203"
  line "01020304"
  names POS NEG HOSTILE
  empty_line
} >constructs.set
