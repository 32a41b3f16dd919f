#!/usr/bin/env bash
# Builds the decoder-only FFmpeg that the portable games' video library is linked against:
# static, position-independent, with only the AVI demuxer and the decoders of the codecs AVI
# files were made with. Debian's shared FFmpeg libraries bring every encoder and the network,
# crypto and picture libraries they are built with: a portable game would carry them all.
#
# The source is Debian's own source package of the FFmpeg this system has (the same version as
# libavcodec-dev), fetched by apt-get source through a private apt state made from the system's
# own Debian mirrors as deb-src lines: nothing of the system's apt changes, no root is needed, and
# apt checks the .dsc against the archive's signed index and the tarballs against the .dsc;
# dpkg-source checks them again and applies Debian's patches.
#
# usage: scripts/build-ffmpeg-decoders.sh
# Prints the install prefix (include/, lib/*.a, share/doc/ffmpeg/) as its last line. The prefix,
# ${QM_FFMPEG_CACHE:-$HOME/.cache/quillmoor}/ffmpeg-decoders-<version>-<hash>, is named after the
# FFmpeg version and the configure line; when it exists the script does nothing else.
# Exit status: 0 built or cached, 3 the Debian source cannot be fetched, 1 any other failure.
set -euo pipefail

# AVI is the only container the player opens.
DEMUXERS=(avi)
# Video codecs found in AVI files of the time: Microsoft Video 1, Cinepak, Indeo 2 to 5,
# Microsoft RLE, uncompressed frames, Motion JPEG, MPEG-4 part 2 (DivX, Xvid) and Microsoft's
# MPEG-4 versions 1 to 3, H.263 and Intel's I.263, H.264, Huffyuv, Duck TrueMotion 1 and 2,
# UltiMotion, Autodesk Animator and Creative YUV.
VIDEO=(msvideo1 cinepak indeo2 indeo3 indeo4 indeo5 msrle rawvideo mjpeg mpeg4 msmpeg4v1
       msmpeg4v2 msmpeg4v3 h263 h263i h264 huffyuv truemotion1 truemotion2 ulti aasc cyuv)
# Their sound tracks: PCM (8-bit, 16-bit, 24-bit, A-law, mu-law), Microsoft and IMA ADPCM (also
# Duck's), GSM 6.10, TrueSpeech, MPEG audio layers 2 and 3, AC-3.
AUDIO=(pcm_u8 pcm_s16le pcm_s24le pcm_alaw pcm_mulaw adpcm_ms adpcm_ima_wav adpcm_ima_dk3
       adpcm_ima_dk4 gsm_ms truespeech mp2 mp3 ac3)
# The stream information of MPEG audio and video in AVI comes from their parsers.
PARSERS=(mpegaudio mpeg4video h263 h264 mjpeg ac3)

fail() {
  echo "build-ffmpeg-decoders: $*" >&2
  exit 1
}
cannot_fetch() {
  echo "build-ffmpeg-decoders: the Debian source of FFmpeg cannot be fetched: $*" >&2
  exit 3
}
join() {
  local IFS=,
  echo "$*"
}

command -v dpkg-query >/dev/null || fail "dpkg-query is missing: this script needs Debian"
version=$(dpkg-query -W -f='${source:Version}' libavcodec-dev 2>/dev/null) ||
  fail "libavcodec-dev is not installed (make deps installs it)"
source_package=$(dpkg-query -W -f='${source:Package}' libavcodec-dev)
upstream=${version#*:}
upstream=${upstream%%-*}

CONFIGURE=(
  --disable-everything --disable-programs --disable-network --disable-autodetect
  --enable-static --disable-shared --enable-pic
  --disable-doc --disable-debug --disable-avdevice --disable-avfilter --disable-postproc
  --enable-avformat --enable-avcodec --enable-swscale --enable-swresample
  --enable-protocol=file
  --enable-demuxer="$(join "${DEMUXERS[@]}")"
  --enable-decoder="$(join "${VIDEO[@]}" "${AUDIO[@]}")"
  --enable-parser="$(join "${PARSERS[@]}")"
)
key=$(printf '%s\n' "$source_package $version" "${CONFIGURE[@]}" | sha256sum | cut -c1-12)
cache=${QM_FFMPEG_CACHE:-${HOME:?}/.cache/quillmoor}
prefix=$cache/ffmpeg-decoders-$upstream-$key

if [ -f "$prefix/lib/libavcodec.a" ]; then
  echo "$prefix"
  exit 0
fi
mkdir -p "$cache"
# One build at a time per cache; the one that waited finds the prefix made.
exec 9>"$cache/ffmpeg-decoders.lock"
flock 9
if [ -f "$prefix/lib/libavcodec.a" ]; then
  echo "$prefix"
  exit 0
fi

for tool in apt-get dpkg-source make cc nasm; do
  command -v "$tool" >/dev/null || fail "$tool is missing (make deps installs it)"
done
work=$(mktemp -d "$cache/ffmpeg-decoders-work.XXXXXX")
trap 'rm -rf "$work"' EXIT
started=$(date +%s)

# deb-src lines for the Debian mirrors and suites the system installs from.
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/source"
apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' \
  'Created-By: Packages' 'Target-Of: deb' 2>/dev/null |
  awk '$3 == "main" && !seen[$0]++ { print "deb-src " $1 " " $2 " main" }' >"$work/apt/sources.list"
[ -s "$work/apt/sources.list" ] ||
  cannot_fetch "the system installs from no Debian 'main' component to take deb-src lines from"
APT=(-o "Dir::Etc::SourceList=$work/apt/sources.list" -o "Dir::Etc::SourceParts=$work/apt/none"
     -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache=$work/apt/cache"
     -o "Debug::NoLocking=1" -o "APT::Sandbox::User=$(id -un)" -q)
echo "build-ffmpeg-decoders: fetching $source_package $version from $(awk '{ print $2 $3 }' \
  "$work/apt/sources.list" | tr '\n' ' ')" >&2
apt-get "${APT[@]}" update --error-on=any >"$work/apt.log" 2>&1 ||
  cannot_fetch "$(grep -E '^(E|W):' "$work/apt.log" | tail -3)"
(cd "$work/source" && apt-get "${APT[@]}" source --download-only "$source_package=$version") \
  >"$work/apt.log" 2>&1 || cannot_fetch "$(tail -3 "$work/apt.log")"
dsc=$(ls "$work/source/"*.dsc)
dpkg-source --no-copy -x "$dsc" "$work/source/ffmpeg" >"$work/source.log" 2>&1 ||
  fail "dpkg-source could not unpack $dsc: $(tail -3 "$work/source.log")"

mkdir -p "$work/build"
cd "$work/build"
"$work/source/ffmpeg/configure" --prefix="$prefix" "${CONFIGURE[@]}" >"$work/configure.log" 2>&1 ||
  fail "configure failed: $(tail -5 "$work/configure.log")"
make -j "${QM_FFMPEG_JOBS:-2}" >"$work/make.log" 2>&1 ||
  fail "make failed: $(tail -15 "$work/make.log")"
make install DESTDIR="$work/stage" >>"$work/make.log" 2>&1 || fail "make install failed"

# What a game that brings this FFmpeg must ship beside it: its licence.
doc=$work/stage$prefix/share/doc/ffmpeg
mkdir -p "$doc"
cp "$work/source/ffmpeg/debian/copyright" "$doc/copyright"
cp "$work/source/ffmpeg/COPYING.LGPLv2.1" "$doc/COPYING.LGPLv2.1"
printf '%s\n' "$source_package $version" "${CONFIGURE[@]}" >"$doc/configuration"
mv "$work/stage$prefix" "$prefix"
echo "build-ffmpeg-decoders: built in $(($(date +%s) - started)) s" >&2
echo "$prefix"
