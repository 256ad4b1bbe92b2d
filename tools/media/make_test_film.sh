#!/usr/bin/env bash
# Makes the two short MPEG-1 films the film-playback tests open:
#   tests/data/media/film.mpg          176x144, 25 fps, 1.6 s (40 frames) of
#                                      ffmpeg's moving test pattern (MPEG-1
#                                      video, fixed quantiser 12, a key frame
#                                      every 20 frames), and a 440 Hz sine as
#                                      MPEG-1 layer II audio (44100 Hz mono,
#                                      64 kbit/s)
#   tests/data/media/film_silent.mpg   the same picture with no sound track
# Both are MPEG-1 system streams (-f mpeg) with the 2324-byte packets and the
# mux rate of a video CD, which is what the film player reads.
#
# Run once by hand; the outputs are committed, so neither the build nor the
# tests need ffmpeg. It was made with Debian 12's ffmpeg 5.1 (apt-get install
# ffmpeg); -bitexact keeps the encoder's version string out of the files.
set -euo pipefail
cd "$(dirname "$0")/../.."
OUT=tests/data/media
mkdir -p "$OUT"

DURATION=1.6
VIDEO=(-f lavfi -i "testsrc=size=176x144:rate=25:duration=$DURATION")
AUDIO=(-f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$DURATION")
VIDEO_CODEC=(-c:v mpeg1video -q:v 12 -g 20 -bf 2)
AUDIO_CODEC=(-c:a mp2 -b:a 64k -ar 44100 -ac 1)
SYSTEM=(-f mpeg -muxrate 10080000 -packetsize 2324)
EXACT=(-fflags +bitexact -flags:v +bitexact -flags:a +bitexact -map_metadata -1)

ffmpeg -hide_banner -loglevel error -y "${VIDEO[@]}" "${AUDIO[@]}" \
  "${VIDEO_CODEC[@]}" "${AUDIO_CODEC[@]}" "${EXACT[@]}" "${SYSTEM[@]}" "$OUT/film.mpg"
ffmpeg -hide_banner -loglevel error -y "${VIDEO[@]}" \
  "${VIDEO_CODEC[@]}" -an "${EXACT[@]}" "${SYSTEM[@]}" "$OUT/film_silent.mpg"
ls -l "$OUT/film.mpg" "$OUT/film_silent.mpg"
