#!/usr/bin/env bash
# The designer through the accessibility bus (atspi_designer.py) on a virtual X display: the
# example project opened with --designer, edited, saved and generated. Then brindlewick-cli
# generates the saved project elsewhere, and every file must be the same, byte for byte.
set -u
app=$1 cli=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/require_tools.sh"
export -n QT_QPA_PLATFORM
out=$(mktemp -d "${TMPDIR:-/tmp}/brindlewick-designer-XXXXXX")
trap 'rm -rf "$out"' EXIT
mkdir -p "$out/gui/buttons" "$out/cli/buttons" "$out/home"
cp "$here/../../examples/example.blp" "$out/gui/shop.blp"
# The example writes into "buttons" beside where the program runs.
(cd "$out/gui" && HOME="$out/home" XDG_CONFIG_HOME="$out/home/.config" \
  xvfb-run -a -n $((100 + RANDOM % 5000)) -e /dev/stderr -s "-screen 0 1280x1024x24 -noreset" \
  dbus-run-session -- /usr/bin/python3 "$here/atspi_designer.py" "$app" "$out/gui/shop.blp" 2>&1 |
  grep -v -e "^dbus-daemon" -e "SpiRegistry daemon" -e "XDG_RUNTIME_DIR"
  exit "${PIPESTATUS[0]}") || exit 1
for line in LabelText=Designed cbNormalButtonPredefinedBitmaps=41 image1.canvas.font.style.fsUnderline=T; do
  grep -q "^$line" "$out/gui/shop.blp" || { echo "the saved project lacks $line"; exit 1; }
done
(cd "$out/cli" && "$cli" generate "$out/gui/shop.blp" >/dev/null) || { echo "cli failed"; exit 1; }
written=$(ls "$out/gui/buttons" | wc -l)
[ "$(ls "$out/cli/buttons" | wc -l)" = "$written" ] || { echo "the cli wrote elsewhere"; exit 1; }
[ "$written" -gt 20 ] || { echo "only $written files written"; exit 1; }
# The copies differ in one line: the command line records the folder it made absolute.
diff -r -x btnproject.blp "$out/gui/buttons" "$out/cli/buttons" ||
  { echo "the designer's files differ"; exit 1; }
diff <(grep -v ^lblOutputDirectoryFileName= "$out/gui/buttons/btnproject.blp") \
  <(grep -v ^lblOutputDirectoryFileName= "$out/cli/buttons/btnproject.blp") ||
  { echo "the project copies differ"; exit 1; }
echo "designer: $written files, the same as brindlewick-cli writes"
