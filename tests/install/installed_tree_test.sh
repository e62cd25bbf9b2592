#!/usr/bin/env bash
# Installs Gastrolog into a temporary DESTDIR and checks the installed tree as a desktop would
# use it: the file list, the freedesktop files with their own validators, the manual pages, the
# bash completion, and both programs started from there (the desktop one under the X server
# this script is given, finding its help book and tips without the source tree).
#
# Usage: installed_tree_test.sh BUILD_FOLDER SOURCE_FOLDER VERSION
set -euo pipefail

build=$1
source=$2
version=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
desktop_pid=""
cleanup() {
  if [ -n "$desktop_pid" ]; then kill "$desktop_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

. "$here/checks.sh"

root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log"
share=$root/usr/share
bin=$root/usr/bin

# ---- the file list: the listed files, plus every page of the help book
(cd "$root" && find . -type f -printf '%P\n' | LC_ALL=C sort) >"$work/installed"
{
  grep -v '^#' "$here/installed-files.txt"
  (cd "$source/res" && find help -type f -printf 'usr/share/gastrolog/%p\n')
} | LC_ALL=C sort >"$work/expected"
diff -u "$work/expected" "$work/installed" || fail "the installed files differ from the list"

# ---- menu entry and AppStream metainfo, checked by the tools made for them
desktop_file=$share/applications/org.gastrolog.Gastrolog.desktop
validation=$(desktop-file-validate "$desktop_file" 2>&1) || fail "desktop-file-validate"
expect_same "desktop-file-validate's remarks" "" "$validation"
appstreamcli validate --no-net --pedantic "$share/metainfo/org.gastrolog.Gastrolog.metainfo.xml" \
  >"$work/appstream.log" 2>&1 || { cat "$work/appstream.log"; fail "appstreamcli validate"; }
grep -q "<release version=\"$version\"" "$share/metainfo/org.gastrolog.Gastrolog.metainfo.xml" ||
  fail "the metainfo's release is not $version"
expect_same "the desktop file's command" "Exec=gastrolog %f" "$(grep '^Exec=' "$desktop_file")"

# ---- the diary file type: by its extension, and by its first bytes without one
mime_errors=$(XDG_DATA_DIRS="$share" update-mime-database "$share/mime" 2>&1 >/dev/null)
expect_same "update-mime-database's complaints about the MIME XML" "" "$mime_errors"
files=$work/files
mkdir -p "$files"
cp "$share/gastrolog/example.glg" "$files/diary.glg"
cp "$share/gastrolog/example.glg" "$files/diary-without-extension"
# A diary with no foods and no symptoms: its first record is the first hidden unit.
{
  printf '\x00\x00\x00\x60\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x05\x00'
  printf '\xff\xff\x01\x00\x07\x00CHidden'
  head -c 28 /dev/zero
  printf '\x010'
  for unit in 1 2 3 4; do
    printf '\x01\x80'
    head -c 28 /dev/zero
    printf '\x01%s' "$unit"
  done
} >"$files/empty-diary"
"$bin/gastrolog-cli" info "$files/empty-diary" >/dev/null || fail "the hand-made empty diary is not a diary"
echo "Coffee, bread" >"$files/text"
cp "$share/icons/hicolor/16x16/apps/org.gastrolog.Gastrolog.png" "$files/picture"
file_type() {
  XDG_CURRENT_DESKTOP=GNOME XDG_DATA_HOME="$work/no-data" XDG_DATA_DIRS="$share:/usr/share" \
    xdg-mime query filetype "$1"
}
while read -r name expected; do
  expect_same "the file type of $name" "$expected" "$(file_type "$files/$name")"
done <<'EOF'
diary.glg application/x-gastrolog-diary
diary-without-extension application/x-gastrolog-diary
empty-diary application/x-gastrolog-diary
text text/plain
picture image/png
EOF

# ---- manual pages: rendered without warnings; the command line's page names every command
commands=$("$bin/gastrolog-cli" --help-all | awk '/^Subcommands:/ { on = 1; next } on && /^[^ ]/ { print $1 }')
[ -n "$commands" ] || fail "gastrolog-cli --help-all lists no commands"
for page in gastrolog gastrolog-cli; do
  file=$share/man/man1/$page.1.gz
  warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$file" 2>&1 >"$work/$page.txt") || fail "man -l $page"
  expect_same "the warnings of man -l $page" "" "$warnings"
  grep -q "$version" "$work/$page.txt" || fail "the $page manual page does not carry version $version"
done
for command in $commands; do
  grep -q "^ *Command $command:\$" "$work/gastrolog-cli.txt" || fail "the gastrolog-cli manual page lacks $command"
done

# ---- both programs run from the installed tree
expect_same "gastrolog-cli --version" "gastrolog-cli $version" "$("$bin/gastrolog-cli" --version)"
expect_same "gastrolog --version (without a display)" "gastrolog $version" \
  "$(env -u DISPLAY "$bin/gastrolog" --version)"
"$bin/gastrolog-cli" info "$share/gastrolog/example.glg" | grep -q '^Foods:' ||
  fail "the installed gastrolog-cli cannot read the installed example diary"

# ---- bash completion: the installed script completes the installed program's commands
completion() {
  PATH="$bin:$PATH" bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$0"
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    _gastrolog_cli
    printf "%s\n" "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd" "' \
    "$share/bash-completion/completions/gastrolog-cli" "$@"
}
expect_same "the completion of the commands" "$(printf '%s\n' $commands | LC_ALL=C sort | paste -sd' ')" \
  "$(completion gastrolog-cli '')"
expect_same "the completion of export --format" "csv json" "$(completion gastrolog-cli export --format '')"
expect_same "the completion of lists' options" "--help --json --unclassified" \
  "$(completion gastrolog-cli lists --)"

# ---- the desktop program from the installed tree, with a diary, under the X server
# A fresh settings folder (so the Tip of the Day shows) and a folder without tips.txt, so
# the tips and the help book can only come from the installed share/gastrolog/.
wait_for_window() {
  local pattern=$1 window=""
  for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1) || true
    if [ -n "$window" ]; then
      echo "$window"
      return 0
    fi
    sleep 0.2
  done
  return 1
}
press() {
  xdotool windowfocus --sync "$1"
  xdotool key --clearmodifiers "$2"
}
run=$work/run
mkdir -p "$run" "$work/home" "$work/config"
cp "$share/gastrolog/example.glg" "$run/my-example.glg"
(cd "$run" && env -u GASTROLOG_RES HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
  "$bin/gastrolog" my-example.glg >"$work/desktop.log" 2>&1) &
desktop_pid=$!
settings=$work/config/Gastrolog.conf
if notice=$(wait_for_window '^Gastrolog$'); then
  press "$notice" Return  # the example file's notice
  if tip=$(wait_for_window '^Tip of the Day$'); then
    press "$tip" Escape
    for _ in $(seq 1 50); do
      grep -q '^FilePos=[1-9]' "$settings" 2>/dev/null && break
      sleep 0.2
    done
    if grep -q '^FilePos=[1-9]' "$settings" 2>/dev/null; then
      echo "the Tip of the Day showed a tip from the installed tips file"
    else
      fail "the Tip of the Day read no tip from the installed tips file"
    fi
  else
    fail "the Tip of the Day did not show"
  fi
  if frame=$(wait_for_window 'my-example.glg'); then
    press "$frame" F1
    if help=$(wait_for_window '^Gastrolog Help'); then
      echo "F1 opened the help window \"$(xdotool getwindowname "$help")\""
    else
      fail "F1 did not open the installed help book"
    fi
  else
    fail "the main window did not show"
  fi
else
  fail "the installed desktop program did not start with a diary"
fi
kill "$desktop_pid" 2>/dev/null || true
wait "$desktop_pid" 2>/dev/null || true
desktop_pid=""

if [ "$failures" -ne 0 ]; then
  echo "$failures checks of the installed tree failed" >&2
  cat "$work/desktop.log" >&2
  exit 1
fi
echo "the installed tree passed every check"
