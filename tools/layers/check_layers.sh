#!/usr/bin/env bash
# Fails when a source file of the library includes a header of a layer above
# its own. The layers and the directions they may look in are written here,
# once; a folder may include its own headers and, through the folders it
# names, everything below them.
#   usage: check_layers.sh [PROJECT_ROOT]
set -uo pipefail
ROOT=${1:-$(cd "$(dirname "$0")/../.." && pwd)}

# folder: the folders right below it
LAYERS='
platform:
log:      platform
cpu:      log
core:     cpu
archive:  core
xml:      archive
imaging:  archive
timing:   core
network:  core
tiles:    imaging
fonts:    imaging
sprites:  imaging
cursor:   imaging
media:    imaging timing
gui:      tiles fonts
console:  fonts
startup:  xml timing network sprites cursor media gui console
'

# The public headers, each with the layer that implements it. The shared
# records and the export macro sit at the bottom; veltrano.h gathers them all
# but the testing aid, which only a game's tests include.
PUBLIC='
veltrano_export.h       platform
veltrano_types.h        platform
veltrano_cpu.h          cpu
Veltrano_ILogSystem.h   log
Veltrano_Main.h         core
veltrano_testing.h      core
Veltrano_IStuffDPF.h    archive
Veltrano_IImage.h       imaging
Veltrano_IPrimitives.h  imaging
Veltrano_IScreenFX.h    imaging
Veltrano_ITimeSystem.h  timing
Veltrano_INetwork.h     network
Veltrano_CTile.h        tiles
Veltrano_CFont.h        fonts
Veltrano_CSprite.h      sprites
Veltrano_ICursor.h      cursor
Veltrano_ISoundFX.h     media
Veltrano_IVideo.h       media
Veltrano_IButton.h      gui
veltrano.h              startup
'

declare -A below publicLayer reach
while read -r folder rest; do
  [ -z "$folder" ] && continue
  below[${folder%:}]="$rest"
done <<< "$LAYERS"
while read -r header layer; do
  [ -n "$header" ] && publicLayer[$header]=$layer
done <<< "$PUBLIC"

# Every folder a layer may reach, itself included.
reachable() {
  local layer=$1 result=" $1 " next
  for next in ${below[$layer]}; do result+="$(reachable "$next") "; done
  echo "$result"
}
for layer in "${!below[@]}"; do reach[$layer]=$(reachable "$layer"); done

failures=0
report() { echo "$1"; failures=$((failures + 1)); }

# The layer a quoted include names, or empty when the name is unknown.
layer_of_include() {  # including-folder header
  local folder=$1 header=$2
  if [[ $header == */* ]]; then
    local first=${header%%/*}
    [ -n "${below[$first]+set}" ] && echo "$first"
  elif [ -n "${publicLayer[$header]+set}" ]; then
    echo "${publicLayer[$header]}"
  elif [ -f "$ROOT/$folder/$header" ]; then
    echo "$folder"
  fi
}

check_file() {  # file-relative-to-root own-layer
  local file=$1 own=$2 header target
  while IFS= read -r header; do
    target=$(layer_of_include "$(dirname "$file")" "$header")
    if [ -z "$target" ]; then
      report "$file: includes \"$header\", which belongs to no layer"
    elif [[ ${reach[$own]} != *" $target "* ]]; then
      report "$file: layer '$own' includes \"$header\" of layer '$target' above it"
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$ROOT/$file")
}

cd "$ROOT" || exit 2
checked=0
for layer in "${!below[@]}"; do
  [ -d "$layer" ] || continue
  while IFS= read -r file; do
    check_file "$file" "$layer"; checked=$((checked + 1))
  done < <(find "$layer" -name '*.cpp' -o -name '*.h' | sort)
done
for header in "${!publicLayer[@]}"; do
  [ -f "include/$header" ] || continue
  check_file "include/$header" "${publicLayer[$header]}"; checked=$((checked + 1))
done
while IFS= read -r file; do
  [ -n "${publicLayer[$(basename "$file")]+set}" ] || report "$file: public header missing from the layer table"
done < <(find include -name '*.h' 2>/dev/null)

if [ "$checked" -eq 0 ]; then echo "no source files found under $ROOT"; exit 2; fi
if [ "$failures" -ne 0 ]; then echo "$failures include(s) break the layering"; exit 1; fi
echo "layering holds in $checked files"
