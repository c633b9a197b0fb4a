#!/usr/bin/env bash
# Draws the pictures of the profile picker and writes their catalogue
# data/Profiles/icon/Config.xml. Needs ImageMagick's convert; the results are
# committed, so building the program does not.
#
# Profile pictures are rounded badges, group pictures round ones, 32 x 32, with
# 2 to 4 letters. Magenta (255,0,255), the program's transparent key colour,
# fills the corners; the JPEG ones use white there, because JPEG cannot keep an
# exact key colour. Each picture kind the program loads (BMP, ICO, JPEG, GIF)
# is used.
#
# usage: scripts/make-profile-icons.sh [OUTPUT_FOLDER]
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$repo/data/Profiles/icon}
mkdir -p "$out"
command -v convert >/dev/null || { echo "ImageMagick's convert is needed" >&2; exit 1; }

key_colour='#FF00FF'
catalogue=()

# badge KEY FILE SHAPE COLOUR TEXT
badge() {
    local key=$1 file=$2 shape=$3 colour=$4 text=$5
    local background=$key_colour font=DejaVu-Sans-Bold size=11
    [[ $shape == round ]] && size=10
    [[ $file == *.jpg ]] && background=white
    if ((${#text} >= 4)); then font=DejaVu-Sans-Condensed-Bold; size=10; fi
    local outline
    if [[ $shape == round ]]; then
        outline="circle 15.5,15.5 15.5,0.5"
    else
        outline="roundrectangle 0,2 31,29 7,7"
    fi
    local format=()
    case $file in
        *.bmp) format=(-type TrueColor BMP3:"$out/$file") ;;
        *.gif) format=(+dither -colors 64 "$out/$file") ;;
        *.jpg) format=(-quality 92 "$out/$file") ;;
        *.ico) format=(-type TrueColor "$out/$file") ;;
    esac
    # The outline is drawn without smoothing so that no blend of the badge and
    # the key colour appears at its edge; the letters are smoothed.
    convert -size 32x32 "xc:$background" \
        +antialias -fill "$colour" -draw "$outline" \
        -antialias -font "$font" -pointsize "$size" -fill white -gravity center \
        -annotate +0+0 "$text" \
        -alpha off -strip "${format[@]}"
    catalogue+=("$key|Profiles/icon/$file")
}

# Groups of the profile picker.
badge group-mp3        group-mp3.ico        round '#D9661A' MP3
badge group-wma        group-wma.ico        round '#1F5FBF' WMA
badge group-aac        group-aac.ico        round '#B71C1C' AAC
badge group-ogg        group-ogg.ico        round '#2E7D32' OGG
badge group-lossless   group-lossless.ico   round '#00695C' PCM
badge group-broadcast  group-broadcast.ico  round '#37474F' DVD

# Profiles.
badge mp3   mp3.bmp   square '#E8731A' MP3
badge wma   wma.bmp   square '#2A6FD6' WMA
badge m4a   m4a.gif   square '#C62828' M4A
badge aac   aac.gif   square '#AD1457' AAC
badge m4r   m4r.gif   square '#6A1B9A' M4R
badge ogg   ogg.jpg   square '#388E3C' OGG
badge wav   wav.bmp   square '#00796B' WAV
badge flac  flac.jpg  square '#00838F' FLAC
badge au    au.gif    square '#795548' AU
badge ac3   ac3.bmp   square '#263238' AC3
badge mp2   mp2.jpg   square '#3949AB' MP2

{
    echo '<?xml version="1.0" encoding="utf-8"?>'
    echo '<IconList>'
    for entry in "${catalogue[@]}"; do
        echo '  <Icon>'
        echo "    <Name>${entry%%|*}</Name>"
        echo "    <Path>${entry#*|}</Path>"
        echo '  </Icon>'
    done
    echo '</IconList>'
} >"$out/Config.xml"
echo "Wrote ${#catalogue[@]} pictures and $out/Config.xml"
