#!/usr/bin/env bash
# The Debian package as a user gets it: built by scripts/package (which runs
# lintian on it) in a fresh clone of the checkout, as the README has it, so
# no step of an earlier build can stand in for a missing one; its
# dependencies resolved by apt, installed, the installed
# programs run (quillmark_cli prints a shipped style to a PDF, quillmark_wd
# starts offscreen, fills the user's data folder and is closed), and purged
# without a file of it left. Needs root (apt); skipped (77) without it.
set -euo pipefail
source_dir="$1"
if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: installing a package needs root"
  exit 77
fi
cd "$source_dir"
work=$(mktemp -d)
cleanup() {
  if dpkg-query -W -f='${Status}' quillmark-wd 2>/dev/null | grep -q 'install ok installed'; then
    apt-get purge -y -q quillmark-wd >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# The committed sources, cloned afresh (a folder that is no git checkout is
# packaged where it is).
package_dir="$source_dir"
if git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1; then
  git clone -q "$source_dir" "$work/clone"
  package_dir="$work/clone"
fi
deb=$(cd "$package_dir" && scripts/package | tail -1)
echo "built and lintian-clean: $deb"
deb="$package_dir/$deb"

apt-get install --simulate -q "$deb" >"$work/simulate" 2>&1 || {
  cat "$work/simulate"
  echo "apt cannot resolve the package's dependencies" >&2
  exit 1
}
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" >"$work/install" 2>&1 || {
  tail -20 "$work/install"
  exit 1
}
dpkg -L quillmark-wd >"$work/files"

# The installed programs, from the installed layout only.
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME"
cd "$work"
version=$(/usr/bin/quillmark_cli --version)
echo "$version"
case "$version" in
  "quillmark_cli (ワード・クイルマーク) "*) ;;
  *) echo "unexpected version line" >&2; exit 1 ;;
esac
printf 'a.doc;Title;2026/12/07 10:00;;Author;;;;;;;\r\n' >list
/usr/bin/quillmark_cli print "/usr/share/quillmark_wd/style/一覧表_A4縦.sle" --list list -o out.pdf \
  --title "文書目録"
test -s out.pdf
head -c 5 out.pdf | grep -q '%PDF-'
# The PDF is titled by the report (where poppler's pdfinfo is there to say).
if command -v pdfinfo >/dev/null 2>&1; then
  pdfinfo out.pdf | grep -q '^Title: *文書目録$' || {
    pdfinfo out.pdf >&2
    echo "the PDF is not titled by the report" >&2
    exit 1
  }
fi
/usr/bin/quillmark_wd --version | grep -q '^quillmark_wd (ワード・クイルマーク) '

# The window program starts offscreen, copies the shipped styles into the
# user's data folder and is closed.
QT_QPA_PLATFORM=offscreen /usr/bin/quillmark_wd >"$work/wd.log" 2>&1 &
pid=$!
for _ in $(seq 1 100); do
  if [ -e "$XDG_DATA_HOME/quillmark_wd/style/一覧表_A4縦.sle" ]; then
    break
  fi
  if ! kill -0 "$pid" 2>/dev/null; then
    cat "$work/wd.log"
    echo "quillmark_wd ended by itself" >&2
    exit 1
  fi
  sleep 0.1
done
test -e "$XDG_DATA_HOME/quillmark_wd/style/一覧表_A4縦.sle"
kill -TERM "$pid"
wait "$pid" || true

# Removed again: no file of the package is left.
apt-get purge -y -q quillmark-wd >"$work/purge" 2>&1
left=0
while IFS= read -r path; do
  if [ -f "$path" ] || [ -L "$path" ]; then
    echo "left after purge: $path" >&2
    left=1
  fi
done <"$work/files"
if dpkg-query -W -f='${Status}' quillmark-wd 2>/dev/null | grep -q 'installed'; then
  echo "still installed" >&2
  left=1
fi
exit "$left"
