#!/bin/sh
# Runs one fuzz target for a number of seconds: from the inputs it found
# before (a corpus of its own under the work folder, never committed), the
# seed corpus and every regression input kept in the source tree. An input
# that breaks the reader is left under the work folder's findings/, to be
# kept in tests/fuzz/regressions/TARGET once fixed.
#
#   run_target.sh BINARY TARGET SECONDS SOURCE_FOLDER WORK_FOLDER
set -eu
binary=$1 target=$2 seconds=$3 source=$4 work=$5
corpus=$work/corpus/$target
findings=$work/findings/$target
mkdir -p "$corpus" "$findings"
# Inputs bounded as the readers' own limits are not: 64 kB reach every
# branch of a job file or a coordinate file; the size limits themselves are
# tested apart (tests/jobfile/hostile_test.cpp).
# A transcript plays a whole job a line at a time: 16 kB reach a chain of
# some thirty triangles, and longer ones only slow the runs down.
max_len=65536
[ "$target" = transcript ] && max_len=16384
regressions=$source/regressions/$target
[ -d "$regressions" ] || regressions=
exec "$binary" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=$max_len \
  -dict="$source/dictionaries/$target.dict" -artifact_prefix="$findings/" -print_final_stats=1 \
  "$corpus" "$source/corpus/$target" ${regressions:+"$regressions"}
