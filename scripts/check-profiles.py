#!/usr/bin/env python3
"""Runs the shipped profiles through the real encoder.

For every profile file (data/Profiles/*.dat, or the folder given) the encoder
is run on a generated tone with the arguments the converter passes for that
profile: its defaults, the defaults with the volume clause, and every value of
its choice lists and every codec entry (one changed at a time; with --all every
combination). A run passes when the encoder exits 0 and its output has one
audio stream with the asked sample rate and channel count.

usage: scripts/check-profiles.py [--all] [--coder PATH] [PROFILE_FOLDER]
"""

import argparse
import itertools
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

# Codec keyword (lower-cased Oac) -> audio clause words, as the converter builds them.
VORBIS_QUALITY = {64: 25, 80: 30, 96: 40, 128: 50, 192: 100, 256: 150}
# The codec that each keyword's output carries (the encoder picks it from the
# output extension unless the clause names it).
EXPECTED_CODEC = {"mp3lame": "mp3", "wmav1": "wmav1", "wmav2": "wmav2", "vorbis": "vorbis",
                  "m4a": "aac", "aac": "aac", "wav": "pcm_s16le", "flac": "flac", "ac3": "ac3",
                  "mp2": "mp2", "au": "pcm_s16be"}


def audio_clause(keyword, rate, channels, kbps):
    bits = str(kbps * 1000)
    if keyword in ("mp3lame", "wav", "aac", "ac3", "flac", "m4a", "mp2", "au"):
        return ["-ar", str(rate), "-ac", str(channels), "-ab", bits]
    if keyword in ("wmav1", "wmav2"):
        return ["-acodec", keyword, "-ar", str(rate), "-ac", str(channels), "-ab", bits]
    if keyword == "vorbis":
        quality = VORBIS_QUALITY.get(kbps, 60)
        return ["-acodec", "vorbis", "-ar", str(rate), "-ac", "2", "-aq", str(quality),
                "-strict", "-2"]
    return []


def choices(text):
    return [int(piece) for piece in (text or "").split(",") if piece.strip()]


def read_profile(path):
    root = ET.parse(path).getroot()
    default = root.find("Default")
    entries = [(cc.get("name", ""), (cc.findtext("Oac") or "").strip())
               for cc in root.findall("AudioCodes/AudioCC")]
    return {
        "file": os.path.basename(path),
        "name": root.findtext("name", ""),
        "entries": entries,
        "rates": choices(root.findtext("SampleRate")),
        "channels": choices(root.findtext("Channel")),
        "bitrates": choices(root.findtext("AudioBitrate")),
        "codec": default.findtext("AudioCodes", ""),
        "rate": int(default.findtext("SampleRate", "0")),
        "channel": int(default.findtext("Channels", "0")),
        "bitrate": int(default.findtext("AudioBitrate", "0")),
        "format": default.findtext("Format", ""),
    }


def keyword_of(profile, codec_name):
    for name, oac in profile["entries"]:
        if name == codec_name:
            return oac.lower()
    return profile["entries"][0][1].lower() if profile["entries"] else ""


def probe(path):
    result = subprocess.run(
        ["ffprobe", "-v", "error", "-select_streams", "a", "-show_entries",
         "stream=codec_name,sample_rate,channels", "-of", "csv=p=0", path],
        capture_output=True, text=True)
    lines = [line for line in result.stdout.splitlines() if line.strip()]
    return lines[0].split(",") if len(lines) == 1 else None


def run(coder, source, workdir, profile, codec, rate, channels, kbps, volume=100):
    keyword = keyword_of(profile, codec)
    # "m4r" is written as .m4a by the encoder and renamed afterwards.
    extension = "m4a" if profile["format"] == "m4r" else profile["format"]
    output = os.path.join(workdir, "out." + extension)
    if os.path.exists(output):
        os.remove(output)
    argv = [coder, "-nostdin", "-v", "error", "-i", source, "-vn"]
    argv += audio_clause(keyword, rate, channels, kbps)
    if volume != 100:
        argv += ["-vol", str(volume + 156)]
    argv.append(output)
    result = subprocess.run(argv, capture_output=True, text=True)
    what = f"{codec} {rate} Hz {channels} ch {kbps} kbps" + (f" vol {volume}" if volume != 100 else "")
    if result.returncode != 0:
        return what, "encoder failed: " + " ".join(result.stderr.split())[:200]
    if not os.path.exists(output) or os.path.getsize(output) == 0:
        return what, "no output"
    stream = probe(output)
    want_channels = 2 if keyword == "vorbis" else channels
    want_codec = EXPECTED_CODEC.get(keyword)
    if (stream is None or stream[0] != want_codec or int(stream[1]) != rate
            or int(stream[2]) != want_channels):
        return what, f"output stream {stream}, wanted {want_codec} {rate} Hz {want_channels} ch"
    return what, None


def cases(profile, every_combination):
    codecs = [name for name, _ in profile["entries"]]
    default = (profile["codec"], profile["rate"], profile["channel"], profile["bitrate"])
    if every_combination:
        return list(itertools.product(codecs, profile["rates"], profile["channels"],
                                      profile["bitrates"]))
    result = [default]
    for position, values in enumerate((codecs, profile["rates"], profile["channels"],
                                       profile["bitrates"])):
        for value in values:
            case = list(default)
            case[position] = value
            if tuple(case) not in result:
                result.append(tuple(case))
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder", nargs="?",
                        default=os.path.join(os.path.dirname(__file__), "..", "data", "Profiles"))
    parser.add_argument("--all", action="store_true", help="every combination of the choices")
    parser.add_argument("--coder", default="ffmpeg", help="encoder program (default: ffmpeg)")
    args = parser.parse_args()

    files = sorted((f for f in os.listdir(args.folder) if f.lower().endswith(".dat")),
                   key=str.lower)
    failures = 0
    passes = 0
    done = {}
    with tempfile.TemporaryDirectory(prefix="quillon-profiles-") as workdir:
        source = os.path.join(workdir, "tone.wav")
        subprocess.run([args.coder, "-nostdin", "-v", "error", "-f", "lavfi", "-i",
                        "sine=frequency=440:duration=1:sample_rate=44100", "-ac", "2", source],
                       check=True)
        for file in files:
            profile = read_profile(os.path.join(args.folder, file))
            runs = [(c, None) for c in cases(profile, args.all)]
            default = (profile["codec"], profile["rate"], profile["channel"], profile["bitrate"])
            runs.append((default, 150))
            bad = []
            for case, volume in runs:
                # Profiles of one family share their lists: each encoder call is made once.
                key = (keyword_of(profile, case[0]), profile["format"], case[1:], volume)
                if key in done:
                    what, error = done[key]
                else:
                    what, error = run(args.coder, source, workdir, profile, *case,
                                      volume=volume or 100)
                    done[key] = (what, error)
                if error:
                    bad.append(f"    {what}: {error}")
                else:
                    passes += 1
            failures += len(bad)
            status = "ok" if not bad else f"{len(bad)} FAILED"
            print(f"{file:28} {profile['name']:45} {len(runs):4} runs  {status}", flush=True)
            for line in bad:
                print(line)
    print(f"{passes} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
