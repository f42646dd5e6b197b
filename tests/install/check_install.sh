#!/usr/bin/env bash
# Checks what `cmake --install` puts under a prefix, as a Debian system and an
# XDG desktop would use it.
#
#   check_install.sh install BUILD_DIR PREFIX   install the build into a fresh PREFIX
#   check_install.sh CHECK PREFIX SOURCE_DIR    one check of the installed tree:
#     programs, man-pages, man-synopsis, docs, metainfo, desktop-entry, icons,
#     program-files
set -uo pipefail
export LC_ALL=C.UTF-8

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
# A tool the check needs is missing: the check is skipped (exit 77, which
# ctest reports as skipped), not failed, for a build without the test tools.
need() {
  command -v "$1" >/dev/null || {
    echo "SKIP: $1 is missing (package $2; scripts/setup --tests installs it)" >&2
    exit 77
  }
}

check=$1
if [ "$check" = install ]; then
  build=$2 prefix=$3
  rm -rf "$prefix"
  "${CMAKE:-cmake}" --install "$build" --prefix "$prefix" >/dev/null || exit 1
  exit 0
fi
prefix=$2 source=$3
[ -d "$prefix" ] || {
  echo "FAIL: nothing installed in $prefix" >&2
  exit 1
}
app_id=io.github.quillmark.quillmark_wd
share=$prefix/share

# The width and height a PNG's IHDR chunk gives, as "WxH"; empty for a file
# that is not a PNG.
png_size() {
  local bytes
  bytes=$(od -An -tu1 -N24 "$1" | tr -s ' \n' ' ')
  read -r -a b <<<"$bytes"
  [ "${#b[@]}" -eq 24 ] || return 0
  [ "${b[*]:0:8}" = "137 80 78 71 13 10 26 10" ] || return 0
  [ "${b[*]:12:4}" = "73 72 68 82" ] || return 0  # "IHDR"
  echo "$(((b[16] << 24) | (b[17] << 16) | (b[18] << 8) | b[19]))x$(((b[20] << 24) | (b[21] << 16) | (b[22] << 8) | b[23]))"
}

# Text with every run of blanks and line breaks made one blank.
squeeze() { tr -s ' \n' '  ' | sed 's/^ //; s/ $//'; }

case $check in
programs)
  for program in quillmark_wd quillmark_cli; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not installed as a program"
  done
  # An icon beside the executable would make the installed program use bin/
  # as its program folder instead of the user's data folder.
  [ ! -e "$prefix/bin/dialog.ico" ] || fail "bin/dialog.ico is installed"
  extra=$(find "$prefix/bin" -mindepth 1 ! -name quillmark_wd ! -name quillmark_cli)
  [ -z "$extra" ] || fail "bin holds more than the two programs: $extra"
  version=$("$prefix/bin/quillmark_cli" --version) || fail "quillmark_cli --version failed"
  [[ $version == "quillmark_cli (ワード・クイルマーク) "* ]] || fail "unexpected version line: $version"
  ;;

man-pages)
  need man man-db
  for page in quillmark_wd quillmark_cli; do
    file=$share/man/man1/$page.1
    [ -f "$file" ] || {
      fail "man page $page(1) is not installed"
      continue
    }
    warnings=$(MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page.1 renders with warnings:"$'\n'"$warnings"
    text=$(MANWIDTH=80 man -l "$file" 2>/dev/null)
    for section in NAME SYNOPSIS DESCRIPTION "EXIT STATUS" FILES ENVIRONMENT "SEE ALSO"; do
      grep -qx "$section" <<<"$text" || fail "$page.1 has no section $section"
    done
    grep -q "^ *$page - " <<<"$text" || fail "$page.1: NAME does not start with \"$page - \""
    wide=$(awk 'length($0) > 80' <<<"$text" | grep -v '[^ -~]')
    [ -z "$wide" ] || fail "$page.1 has lines wider than 80 columns:"$'\n'"$wide"
  done
  ;;

man-synopsis)
  # quillmark_cli(1) names exactly the forms `quillmark_cli --help` prints.
  need man man-db
  help=$("$prefix/bin/quillmark_cli" --help) || fail "quillmark_cli --help failed"
  # One form a line: a line starting "quillmark_cli" starts one, the lines
  # after it that do not continue it.
  forms() { awk '/^ *quillmark_cli /{ if (form != "") print form; form = $0; next }
                 { form = form " " $0 } END { print form }' | while IFS= read -r f; do
    squeeze <<<"$f"
    echo
  done | sort; }
  from_help=$(sed -n '1,/^$/p' <<<"$help" | sed 's/^usage: //; /^$/d' | forms)
  from_man=$(MANWIDTH=80 man -l "$share/man/man1/quillmark_cli.1" 2>/dev/null |
    sed -n '/^SYNOPSIS$/,/^[A-Z]/{/^ /p}' | forms)
  [ "$(wc -l <<<"$from_help")" -ge 7 ] || fail "--help prints fewer forms than expected:"$'\n'"$help"
  [ "$from_help" = "$from_man" ] ||
    fail "the synopsis and --help differ:"$'\n'"$(diff <(echo "$from_help") <(echo "$from_man"))"
  ;;

docs)
  for file in README.md LICENSE; do
    cmp -s "$source/$file" "$share/doc/quillmark_wd/$file" ||
      fail "share/doc/quillmark_wd/$file is missing or differs from the sources"
  done
  grep -q "^MIT License" "$share/doc/quillmark_wd/LICENSE" || fail "LICENSE is not the MIT licence"
  ;;

metainfo)
  need appstreamcli appstream
  file=$share/metainfo/$app_id.metainfo.xml
  [ -f "$file" ] || {
    fail "share/metainfo/$app_id.metainfo.xml is not installed"
    exit 1
  }
  report=$(appstreamcli validate --no-net --pedantic "$file" 2>&1) ||
    fail "appstreamcli finds faults:"$'\n'"$report"
  report=$(appstreamcli validate-tree --no-net --pedantic "$prefix" 2>&1) ||
    fail "appstreamcli finds faults in the tree:"$'\n'"$report"
  # What it names must be installed, and its release the programs' version.
  desktop_id=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$file")
  [ -f "$share/applications/$desktop_id" ] || fail "launchable $desktop_id is not installed"
  for binary in $(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$file"); do
    [ -x "$prefix/bin/$binary" ] || fail "provided binary $binary is not installed"
  done
  release=$(sed -n 's:.*<release version="\([^"]*\)".*:\1:p' "$file" | head -1)
  version=$("$prefix/bin/quillmark_cli" --version | awk '{ print $NF }')
  [ "$release" = "$version" ] || fail "newest release $release, programs say $version"
  ;;

desktop-entry)
  need desktop-file-validate desktop-file-utils
  file=$share/applications/quillmark_wd.desktop
  [ -f "$file" ] || {
    fail "share/applications/quillmark_wd.desktop is not installed"
    exit 1
  }
  report=$(desktop-file-validate "$file" 2>&1)
  [ $? -eq 0 ] && [ -z "$report" ] || fail "desktop-file-validate:"$'\n'"$report"
  # Folders stay the file manager's: no MIME type claims them, while the
  # launcher still takes files and folders (%F), so one dropped on it or
  # chosen for it with the file manager's "open with" any program opens.
  if grep -q '^MimeType=.*inode/directory' "$file"; then
    fail "the desktop entry claims inode/directory, taking folders from the file manager"
  fi
  grep -q '^Exec=[^ ]* %F$' "$file" || fail "the desktop entry's Exec does not take %F"
  exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$file")
  [ -x "$prefix/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
  icon=$(sed -n 's/^Icon=//p' "$file")
  [ -f "$share/icons/hicolor/48x48/apps/$icon.png" ] &&
    [ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] ||
    fail "Icon=$icon has no 48x48 PNG or scalable SVG in the hicolor theme"
  ;;

icons)
  for size in 16 24 32 48 64 128 256; do
    file=$share/icons/hicolor/${size}x$size/apps/quillmark_wd.png
    got=$(png_size "$file" 2>/dev/null)
    [ "$got" = "${size}x$size" ] || fail "$file: expected a ${size}x$size PNG, found '${got:-no PNG}'"
  done
  grep -q "<svg" "$share/icons/hicolor/scalable/apps/quillmark_wd.svg" 2>/dev/null ||
    fail "the scalable icon is missing"
  ;;

program-files)
  # What the installed program copies into the user's program folder.
  folder=$share/quillmark_wd
  cmp -s "$source/resources/quillmark_wd.html" "$folder/quillmark_wd.html" ||
    fail "the manual is missing or differs from the sources"
  shipped=$(cd "$source/resources/style" && ls -- *.sle | sort)
  installed=$(cd "$folder/style" 2>/dev/null && ls -- *.sle | sort)
  [ "$shipped" = "$installed" ] || fail "shipped styles:"$'\n'"$shipped"$'\n'"installed:"$'\n'"$installed"
  while IFS= read -r style; do
    cmp -s "$source/resources/style/$style" "$folder/style/$style" || fail "style $style differs"
  done <<<"$shipped"
  [ "$(od -An -tx1 -N3 "$folder/style/card.jpg" 2>/dev/null)" = " ff d8 ff" ] ||
    fail "style/card.jpg is missing or not a JPEG"
  [ "$(od -An -tx1 -N4 "$folder/dialog.ico" 2>/dev/null)" = " 00 00 01 00" ] ||
    fail "dialog.ico is missing or not an icon file"
  ;;

*)
  echo "unknown check: $check" >&2
  exit 2
  ;;
esac

[ "$failures" -eq 0 ]
