#!/usr/bin/env bash
# Writes the seed inputs of the fuzz targets into tests/fuzz/corpus/<target>/seed-*,
# and the inputs of faults known and not yet mended into tests/fuzz/known/<target>/.
# Both are committed; run this only to make them anew. Pieces of one input are
# separated by the byte 0x01 (see fuzz_input.h). Needs zip and ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")"
c=corpus
s=$'\x01'
seed() { # target name content
    mkdir -p "$c/$1"
    printf '%s' "$3" > "$c/$1/seed-$2"
}

seed ini settings $'[Paths]\r\netPath=C:\\Games\\ET\r\neditor = C:\\Windows\\notepad.exe \r\n\r\n[ET-Nickname]\r\nnick=" Tom "\r\n'"$s"' Tom '
seed ini oddities $'\xEF\xBB\xBF; comment\r\nbefore=section\r\n[Window]\r\nParamLeft=0x10\r\nno equals sign\r\n[WINDOW]\nMaxListbox=-1\r[ ]\r\n=empty key\r\nk="quoted"'"$s"$'"x"'
seed lists lines $'+sv_pure 1 +map (default)\r\n+connect 127.0.0.1\nset fs_game etpro\r\r\n'"$s"$'oasis\r\nradar\n'"$s"$'+map\r\nquit'"$s"$'goldrush'"$s"$'Pl4yer\r\n'
seed buddies list $'Bob\r\n*tom*\r\n\r\n^1Ann\r\n\tx\r\n'"$s"$'^1Big^7Bob'
seed buddies long $'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\r\n*\r\n**a**b\r\n'"$s"$'^^^1a'
seed viewer crlf $'\x05line one\r\nline two\r\n\r\nlast line'
seed viewer mixed $'\x0aa\rb\nc\r\nd\n\re\r\r\n\nf'
seed autoexec nick $'Tom'"$s"$'seta name'"$s"$'bind F1 "vsay hi"\r\nseta name "old"\nset name "old"\rSETA NAME x\r\n\r\nlast'
seed autoexec empty $'"'"$s"$'set'"$s"$'\n\r\n\r'
seed command_line args $'/restore'"$s"$'C:\\Program Files\\ET\\et.exe'"$s"$'a "quoted" word'"$s"$'ends with \\'"$s$s"$'\\\\server\\share\\'
seed backup_roundtrip folders $'mapinfos\\goldrush.txt'"$s"$'mappics\\goldrush.jpg'"$s"$'VexalParam.dat'"$s"$'sample\\a\\b.txt'"$s"$'Mapinfos\\GOLDRUSH.TXT'"$s"$'sample\\a\\'"$s"$'readme-vexal.txt'"$s"$'mapinfos\\sub\\readme-vexal.txt'
mkdir -p known/backup_roundtrip
printf '%s' $'mapinfos\\'"$(printf 'L%.0s' $(seq 200))"'.txt'"$s"$'VexalMap.dat' > known/backup_roundtrip/long-name
seed backup_roundtrip names $'mapinfos\\x'"$s"$'mapinfos\\X\\y.txt'"$s"$'sample\\\xC4rger.txt'"$s"$'sample\\\xE4rger.txt'"$s"$'Vexal.ini'"$s"$'mappics\\'"$(printf 'n%.0s' $(seq 150))"'.jpg'

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/p/mapinfos/sub" "$tmp/p/mappics"
printf 'goldrush\r\nlongname: Gold Rush\r\n' > "$tmp/p/mapinfos/goldrush.txt"
printf 'x' > "$tmp/p/mapinfos/sub/a.txt"
printf '[Paths]\r\n' > "$tmp/p/Vexal.ini"
head -c 3000 /dev/zero | tr '\0' 'a' > "$tmp/p/VexalMap.dat"
mkdir -p "$c/zip_reader"
(cd "$tmp/p" && zip -q -9 -r "$tmp/backup.zip" mapinfos mappics Vexal.ini VexalMap.dat)
cp "$tmp/backup.zip" "$c/zip_reader/seed-backup.zip"
(cd "$tmp/p" && zip -q -0 "$tmp/stored.zip" Vexal.ini)
cp "$tmp/stored.zip" "$c/zip_reader/seed-stored.zip"

mkdir -p "$c/jpeg"
convert -size 16x8 gradient:red-blue -quality 80 "$c/jpeg/seed-colour.jpg"
convert -size 8x8 gradient:white-black -colorspace Gray "$c/jpeg/seed-gray.jpg"
convert -size 24x16 plasma:fractal -interlace JPEG "$c/jpeg/seed-progressive.jpg"

# Archives no backup of ours holds, written byte by byte: a file where a later entry
# needs a folder, device names, names equal but for Windows-1252 letter case, and
# a declared size far beyond what deflate can reach.
mkdir -p known/zip_reader
python3 - known/zip_reader <<'PY'
import io, struct, sys, zipfile
out = sys.argv[1]
def archive(entries):
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in entries:
            z.writestr(name, data)
    return buf.getvalue()
open(out + "/file-then-folder.zip", "wb").write(
    archive([("mapinfos/x", b"a file"), ("mapinfos/x/y.txt", b"needs x as a folder")]))
open(out + "/devices.zip", "wb").write(archive([("mapinfos/lpt7.txt", b"printer"), ("sample/COM0", b"port")]))
data = archive([("sample/#.txt", b"upper"), ("sample/%.txt", b"lower")])
open(out + "/case-1252.zip", "wb").write(data.replace(b"#.txt", b"\xc4.txt").replace(b"%.txt", b"\xe4.txt"))
bomb = bytearray(archive([("mapinfos/big.txt", b"\0" * 100000)]))
for sig, at in ((b"PK\x03\x04", 22), (b"PK\x01\x02", 24)):
    i = bomb.find(sig)
    struct.pack_into("<I", bomb, i + at, 400 * 1024 * 1024)
open(out + "/declared-size.zip", "wb").write(bytes(bomb))
PY

# Master lists: the first byte picks the master (0: 127.0.0.1, 1: 192.168.0.2, 2: the next four
# bytes, 3: a public one), then datagrams separated by 0x01 (the command is added to each as well).
seedbin() { mkdir -p "$c/$1"; printf "$3" > "$c/$1/seed-$2"; }
seedbin master_list local '\x00\x00\x00\x00\x00\xff\xff\xff\xffgetserversResponse\\\x7f\x00\x00\x02\x6d\x38\\\x0a\x00\x00\x07\x6d\x38\\\x7f\x00\x00\x02\x6d\x38\\EOT\x00\x00\x00'
seedbin master_list public '\x03\x00\x00\x00\x00\\\x5d\xba\x10\x02\x6d\x38\\\xc0\xa8\x00\x07\x6d\x38\\\x5d\xba\x10\x03\x00\x00/\x20\x20\x20\x20\x20\x20\x20\x20\x20\x20\x20\x20\x20\x20\x20\x20\x6d\x38\\\x5d\xba\x10\x04\x6d\x39\\\x01\\\x5d\xba\x10\x05\x6d\x38\\EOT\x00\x00\x00'
seedbin master_list lan '\x01\x00\x00\x00\x00\\\xc0\xa8\x00\x07\x6d\x38\\\xff\xff\xff\xff\x6d\x38\\\x0a\x00\x00\x07\x6d\x38\\'
