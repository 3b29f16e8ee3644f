#!/bin/bash
# The guided tour of the plug-in's sheet, as a user would click through it:
#
#   tour.sh [--only LANG-DPI]... [--layout] <bed dir> <out dir>
#
# For each language (en, ja) and DPI (96, 144), or only those named, the
# sheet host opens the printing preferences on the bed's display, brings
# every page and every section of the settings lists to the front in turn
# (tools/sheet_host/tour_steps.cpp), writes a picture of each into
# <out dir>/<lang>-<dpi>/<sheet>/ and presses OK; <out dir>/index.html names
# every picture. --layout also holds every page and section to the layout
# rule (no control outside its parent or over a sibling). Exit code 1 when
# a step could not be shown, a picture was blank or the layout broke.
#
# The bed (tests/wine/testbed_up.sh) must be up. English at 96 DPI runs in
# the bed's prefix; Japanese in prefix-ja (as tests/wine/sheet/japanese_bed.sh
# makes it); English at 144 DPI in a prefix of its own, prefix-dpi, so that
# the DPI never changes under tests running beside it in the bed's prefix.
# Wine 8 takes the DPI from LogPixels under HKCU\Control Panel\Desktop as a
# program starts.
set -euo pipefail
only=()
layout=()
while [ $# -gt 2 ]; do
  case $1 in
    --only) only+=("$2"); shift 2 ;;
    --layout) layout=(--layout); shift ;;
    *) echo "usage: tour.sh [--only LANG-DPI]... [--layout] <bed dir> <out dir>" >&2; exit 2 ;;
  esac
done
bed=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
bin=$(dirname "$bed")/bin
[ ${#only[@]} -gt 0 ] || only=(en-96 ja-96 en-144 ja-144)

# The sheets of the tour, one line each: a name (the sheet host's steps
# of that name, tools/sheet_host/tour_steps.cpp) and the sheet host's
# arguments that open it.
sheets=(
  "document|--answer ok"
  "device|--device --answer ok"
)

. "$(dirname "$0")/../tests/wine/wine_env.sh" "$bed"
main_prefix=$WINEPREFIX
servers=()
trap 'for p in "${servers[@]}"; do WINEPREFIX=$p wineserver -k >/dev/null 2>&1 || true; done' EXIT

# Runs a command in the run's language.
in_lang() { "${run_env[@]}" "$@"; }

# Makes (once) and starts a prefix of its own, with the bed's printers.
own_prefix() {
  local log=$KVT_WINE_DIR/$(basename "$WINEPREFIX").log
  in_lang wineserver -p >>"$log" 2>&1 </dev/null || true
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    in_lang wine wineboot -i >>"$log" 2>&1 </dev/null
  else
    in_lang wine wineboot >>"$log" 2>&1 </dev/null
  fi
  in_lang wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    >>"$log" 2>&1 </dev/null
  in_lang wine "$bin/testbed_setup.exe" >>"$log" 2>&1 </dev/null
  servers+=("$WINEPREFIX")
}

set_dpi() {
  in_lang wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    >/dev/null 2>&1 </dev/null
}

status=0
index=()
for run in "${only[@]}"; do
  lang=${run%-*}
  dpi=${run#*-}
  case $lang in
    en)
      run_env=(env)
      export WINEPREFIX=$main_prefix
      [ "$dpi" = 96 ] || export WINEPREFIX=$KVT_WINE_DIR/prefix-dpi
      ;;
    ja)
      run_env=(env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8)
      export WINEPREFIX=$KVT_WINE_DIR/prefix-ja
      ;;
    *) echo "unknown language: $lang" >&2; exit 2 ;;
  esac
  if [ "$WINEPREFIX" != "$main_prefix" ]; then
    case " ${servers[*]} " in *" $WINEPREFIX "*) ;; *) own_prefix ;; esac
    set_dpi "$dpi"
  fi
  for sheet in "${sheets[@]}"; do
    name=${sheet%%|*}
    read -r -a args <<<"${sheet#*|}"
    folder=$out/$run/$name
    rm -rf "$folder"
    mkdir -p "$folder"
    start=$(date +%s)
    if ! in_lang wine "$bin/sheet_host.exe" "${args[@]}" --tour "$(kvt_winpath "$folder")" \
      --tour-sheet "$name" "${layout[@]}" --timeout 120 >"$folder/host.log" 2>&1 </dev/null; then
      status=1
    fi
    tr -d '\r' <"$folder/host.log" | grep -E '^(tour failed|layout fault)' || true
    if ! tr -d '\r' <"$folder/host.log" | grep -q "^tour screen: $dpi DPI"; then
      echo "tour $run $name: the sheet did not open at $dpi DPI ($(grep -a '^tour screen' "$folder/host.log"))"
      status=1
    fi
    count=$(grep -c '^tour picture: ' "$folder/host.log" || true)
    echo "tour $run $name: $count pictures in $(($(date +%s) - start)) s"
    [ "$count" -gt 0 ] || status=1
    index+=("<h2>$name sheet, $lang, $dpi DPI</h2>")
    while IFS= read -r line; do
      file=${line#tour picture: }
      caption=${file#* | }
      file=${file%% | *}
      file=$run/$name/${file##*\\}
      index+=("<figure><img src=\"$file\"><figcaption>$caption ($lang, $dpi DPI): $file</figcaption></figure>")
    done < <(tr -d '\r' <"$folder/host.log" | grep '^tour picture: ')
  done
  # The Japanese prefix is the Japanese tests' too: back to their DPI.
  if [ "$lang" = ja ]; then set_dpi 96; fi
done

{
  echo '<!DOCTYPE html><html><head><meta charset="utf-8"><title>KvtQvj2Ui tour</title>'
  echo '<style>body{font-family:sans-serif}figure{display:inline-block;margin:8px;vertical-align:top}'
  echo 'img{border:1px solid #888}figcaption{max-width:640px}</style></head><body>'
  echo '<h1>The printing preferences of the KVT QV-J27, page by page</h1>'
  printf '%s\n' "${index[@]}"
  echo '</body></html>'
} >"$out/index.html"
exit $status
