#!/usr/bin/env bash
# Installs into a scratch DESTDIR and checks what a desktop gets: the layout, the menu entry,
# software-centre metadata and project file type, the installed command line on the installed
# example, and the Debian package's control data and lintian's verdict.
#   install_test.sh BUILD_DIR SOURCE_DIR VERSION
set -uo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

prefix=/opt/brindlewick-test
root=$work/root$prefix
DESTDIR=$work/root cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; echo "FAIL: cmake --install" >&2; exit 1; }

share=$root/share
for f in bin/brindlewick bin/brindlewick-cli \
  share/applications/brindlewick.desktop share/metainfo/brindlewick.metainfo.xml \
  share/icons/hicolor/scalable/apps/brindlewick.svg \
  share/brindlewick/brwk4.html share/brindlewick/example.blp share/man/man1/brindlewick-cli.1.gz \
  share/man/man1/brindlewick.1.gz share/doc/brindlewick/copyright share/doc/brindlewick/changelog.gz \
  share/mime/packages/brindlewick.xml \
  share/icons/hicolor/scalable/mimetypes/application-x-brindlewick-project.svg; do
  [ -s "$root/$f" ] || fail "missing $f"
done
for f in bin/brindlewick bin/brindlewick-cli; do
  [ -x "$root/$f" ] || fail "$f not executable"
  # Any path of this machine's build would break the program once it is moved or packaged.
  # Sanitizer builds keep source paths for their reports.
  [ -z "${BRINDLEWICK_SANITIZER_BUILD:-}" ] && grep -qaF -e "$build" -e "$source" "$root/$f" &&
    fail "$f holds a build path"
done
# Each size is a real square PNG of that size, not one picture copied under every name.
for size in 16 24 32 48 64 128 256; do
  for png in apps/brindlewick mimetypes/application-x-brindlewick-project; do
    png=$share/icons/hicolor/${size}x${size}/$png.png
    file "$png" | grep -qF "PNG image data, $size x $size" || fail "icon $size: $(file -b "$png")"
  done
done
# Every picture the help page names is installed beside it.
for pic in $(grep -o 'src="[^"]*"' "$share/brindlewick/brwk4.html" | sed 's/src="\(.*\)"/\1/'); do
  [ -f "$share/brindlewick/$pic" ] || fail "help page picture $pic missing"
done

# Hints count too: they say where a menu would misplace the entry.
desktop-file-validate "$share/applications/brindlewick.desktop" >"$work/desktop.log" 2>&1
[ -s "$work/desktop.log" ] && fail "desktop entry: $(cat "$work/desktop.log")"
for key in 'Exec=brindlewick %f$' Icon=brindlewick 'Categories=.*WebDevelopment;' \
  'MimeType=application/x-brindlewick-project;'; do
  grep -q "^$key" "$share/applications/brindlewick.desktop" || fail "desktop entry lacks $key"
done
appstreamcli validate --no-net "$share/metainfo/brindlewick.metainfo.xml" >"$work/as.log" 2>&1 ||
  fail "metainfo: $(cat "$work/as.log")"
grep -qF "<release version=\"$version\"" "$share/metainfo/brindlewick.metainfo.xml" ||
  fail "metainfo lacks the release $version"
# Each screenshot is one of ours.
for shot in $(grep -o '<image>[^<]*' "$share/metainfo/brindlewick.metainfo.xml" | sed 's|.*/||'); do
  [ -f "$source/docs/screenshots/$shot" ] || fail "screenshot $shot is not in docs/screenshots/"
done
for page in brindlewick-cli:keyboard-rollovers brindlewick:PROJECT.blp; do
  man -l "$share/man/man1/${page%%:*}.1.gz" 2>/dev/null | grep -q -- "${page#*:}" ||
    [ ! -x "$(command -v man)" ] || fail "man page ${page%%:*}.1 does not render"
done

# A file manager finds the project type through the installed tree alone.
update-mime-database "$share/mime" >"$work/mime.log" 2>&1 || fail "update-mime-database: $(cat "$work/mime.log")"
cp "$share/brindlewick/example.blp" "$work/Saved Project.BLP"
for f in "$share/brindlewick/example.blp" "$work/Saved Project.BLP"; do
  type=$(XDG_DATA_DIRS=$share:/usr/share XDG_DATA_HOME=$work/none xdg-mime query filetype "$f")
  [ "$type" = application/x-brindlewick-project ] || fail "xdg-mime: $f is '$type'"
done

cli=$root/bin/brindlewick-cli
[ "$("$cli" --version)" = "brindlewick-cli $version" ] || fail "--version: $("$cli" --version)"
"$cli" --help | grep -qF "generate PROJECT.blp" || fail "--help lacks the usage"
out=$work/out
mkdir "$out"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  "$cli" generate "$share/brindlewick/example.blp" --output-dir "$out" >"$work/gen.log" 2>&1 ||
  fail "installed generate: $(cat "$work/gen.log")"
ls "$out"/*PAGE.html >/dev/null 2>&1 || fail "installed generate wrote no sample page"
[ "$(find "$out" -name '*.png' | wc -l)" -ge 3 ] || fail "installed generate wrote too few images"

# The Debian package: what dpkg-shlibdeps finds plus the fonts.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb") \
  >"$work/cpack.log" 2>&1 || fail "cpack: $(tail -20 "$work/cpack.log")"
deb=$(ls "$work"/deb/brindlewick_"$version"_*.deb 2>/dev/null | head -1)
if [ -z "$deb" ]; then
  fail "no brindlewick_${version}_*.deb made"
else
  [ "$(dpkg-deb -f "$deb" Package)" = brindlewick ] || fail "Package: $(dpkg-deb -f "$deb" Package)"
  [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version: $(dpkg-deb -f "$deb" Version)"
  depends=$(dpkg-deb -f "$deb" Depends)
  # The Qt and image libraries come from dpkg-shlibdeps; the fonts are named by us.
  for pkg in libqt6widgets6 libqt6gui6 libpng16-16 libjpeg62-turbo libgif7 libwebp7 libc6 \
    fonts-dejavu-core fonts-liberation; do
    grep -qE "(^|, )$pkg( |,|$)" <<<"$depends" || fail "Depends lacks $pkg: $depends"
  done
  dpkg-deb -c "$deb" >"$work/contents"
  for f in ./usr/bin/brindlewick ./usr/bin/brindlewick-cli \
    ./usr/share/applications/brindlewick.desktop ./usr/share/brindlewick/brwk4.html; do
    grep -qF " $f" "$work/contents" || fail "package lacks $f"
  done
  # Errors and warnings fail; informational tags may stay.
  lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
    fail "lintian: $(grep -v 'root privileges' "$work/lintian.log")"
fi

[ "$failures" -eq 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "install and package checks passed"
