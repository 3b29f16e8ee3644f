#!/bin/bash
# Seeded faults: applies each one-line fault of scripts/seeded_faults.txt in
# turn to a scratch copy of the tree, rebuilds only the host test program
# named for it, runs that program, puts the line back, and says whether the
# tests caught the fault. Not part of scripts/test.sh: it rebuilds.
#
#   scripts/seeded_faults.sh [FILTER]
#
# FILTER (a grep -E pattern) keeps only the faults whose header line
# matches it, for example a test program or a file name.
#
# The scratch copy lives in build/faults/src (the worktree's files, tracked
# or not ignored, synchronised by content on every run, so only edited files
# rebuild) and is configured once with the
# host preset's settings in build/faults/build.
#
# Each entry of the list is three lines:
#   <test program> <file>        (comment lines start with #)
#   - <the original line, as it stands, leading blanks ignored>
#   + <the faulty line that replaces it>
# An original line found other than exactly once is an error, as is a
# fault that does not build: neither counts as caught.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
list=$root/scripts/seeded_faults.txt
filter=${1:-}
src=$root/build/faults/src
bld=$root/build/faults/build
logs=$root/build/faults/logs
mkdir -p "$src" "$bld" "$logs"

# By content, without keeping the source's times: a file whose content did
# not change keeps its time, so ninja rebuilds only what differs, and a file
# that changed gets a fresh time, so nothing stale survives.
git ls-files -co --exclude-standard -z | python3 -c '
import filecmp, os, shutil, sys
src = sys.argv[1]
keep = set(p for p in sys.stdin.read().split("\0") if p and os.path.isfile(p))
for p in keep:
    dst = os.path.join(src, p)
    if not (os.path.isfile(dst) and filecmp.cmp(p, dst, shallow=False)):
        os.makedirs(os.path.dirname(dst) or ".", exist_ok=True)
        shutil.copyfile(p, dst)
        shutil.copymode(p, dst)
for d, _, names in os.walk(src):
    for n in names:
        full = os.path.join(d, n)
        if os.path.relpath(full, src) not in keep:
            os.remove(full)
' "$src"

if [[ ! -f $bld/build.ninja ]]; then
  cmake -S "$src" -B "$bld" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc >"$logs/configure.log" 2>&1 ||
    { echo "configure failed: $logs/configure.log"; exit 2; }
fi

# Parse the list into parallel arrays.
targets=() files=() olds=() news=() heads=()
parse_error=0
mapfile -t lines <"$list"
i=0
while (( i < ${#lines[@]} )); do
  line=${lines[i]}
  if [[ -z ${line// } || $line == \#* ]]; then ((i++)); continue; fi
  head=$line old=${lines[i+1]:-} new=${lines[i+2]:-}
  if [[ $old != "- "* || $new != "+ "* ]]; then
    echo "list error at line $((i + 1)): expected '- original' and '+ faulty' after '$head'"
    parse_error=1; ((i++)); continue
  fi
  ((i += 3))
  [[ -n $filter ]] && ! grep -qE -- "$filter" <<<"$head" && continue
  read -r t f <<<"$head"
  heads+=("$head") targets+=("$t") files+=("$f") olds+=("${old#- }") news+=("${new#+ }")
done
(( parse_error )) && exit 2
if (( ${#heads[@]} == 0 )); then
  echo "no fault of the list matches '$filter'"
  exit 2
fi

# Build every named program once, so each fault costs one file and a link.
mapfile -t wanted < <(printf '%s\n' "${targets[@]}" | sort -u)
echo "building ${wanted[*]}"
ninja -C "$bld" -j2 "${wanted[@]}" >"$logs/first_build.log" 2>&1 ||
  { echo "the unfaulted tree does not build: $logs/first_build.log"; exit 2; }

# Unfaulted, every program must pass: a failing test would pass off every
# fault in its program as caught.
for t in "${wanted[@]}"; do
  exe=$(find "$bld" -name "$t" -type f -perm -u+x | head -n1)
  if ! (cd "$(dirname "$exe")" && timeout 300 "$exe" --gtest_brief=1) >"$logs/unfaulted_$t.log" 2>&1; then
    echo "the unfaulted $t fails: $logs/unfaulted_$t.log"
    exit 2
  fi
done

caught=0 missed=0 errors=0
missed_list=() error_list=()
for n in "${!heads[@]}"; do
  t=${targets[n]} f=${files[n]} label="#$((n + 1)) ${heads[n]}: ${olds[n]}"
  path=$src/$f log=$logs/fault_$((n + 1)).log
  if [[ ! -f $path ]]; then
    echo "ERROR   $label: no such file"; ((errors++)); error_list+=("$label"); continue
  fi
  backup=$(mktemp)
  cp "$path" "$backup"
  # Replace the one line whose text (leading and trailing blanks aside) is the
  # original, keeping its indentation.
  if ! OLD=${olds[n]} NEW=${news[n]} python3 - "$path" <<'PY'
import os, sys
path = sys.argv[1]
old, new = os.environ["OLD"].strip(), os.environ["NEW"]
with open(path, encoding="utf-8") as f:
    lines = f.read().split("\n")
hits = [i for i, l in enumerate(lines) if l.strip() == old]
if len(hits) != 1:
    print(f"original line found {len(hits)} times")
    sys.exit(1)
i = hits[0]
indent = lines[i][: len(lines[i]) - len(lines[i].lstrip())]
lines[i] = indent + new.strip()
with open(path, "w", encoding="utf-8") as f:
    f.write("\n".join(lines))
PY
  then
    echo "ERROR   $label: original line not found exactly once"
    ((errors++)); error_list+=("$label"); rm -f "$backup"; continue
  fi
  status=
  if ! ninja -C "$bld" -j2 "$t" >"$log" 2>&1; then
    status=ERROR; note="does not build (see $log)"
  else
    exe=$(find "$bld" -name "$t" -type f -perm -u+x | head -n1)
    if (cd "$(dirname "$exe")" && timeout 300 "$exe" --gtest_brief=1) >>"$log" 2>&1; then
      status=MISSED
    else
      status=CAUGHT
    fi
  fi
  # Put the line back with a fresh time, so the faulty object is rebuilt.
  cat "$backup" >"$path"
  rm -f "$backup"
  case $status in
    CAUGHT) ((caught++)); echo "caught  $label" ;;
    MISSED) ((missed++)); missed_list+=("$label"); echo "MISSED  $label" ;;
    ERROR) ((errors++)); error_list+=("$label"); echo "ERROR   $label: $note" ;;
  esac
done

echo
echo "$caught caught, $missed missed, $errors errors"
for m in "${missed_list[@]}"; do echo "  missed: $m"; done
for e in "${error_list[@]}"; do echo "  error:  $e"; done
(( missed == 0 && errors == 0 ))
