#!/usr/bin/env bash
# package_test.sh BUILD_DIR: makes the .deb, installs it into a throwaway
# root, checks where its files land and that the launcher is valid, then
# starts the launcher's command in the launcher's folder under Xvfb and
# checks that the entry window comes up with no error box before it (a book
# that failed to open would put its error boxes up first).
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/nivara_*.deb)

listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for expected in ./usr/bin/nivara ./usr/bin/nivara-jet2sqlite ./usr/share/nivara/namaz.mdb \
                ./usr/share/applications/nivara.desktop \
                ./usr/share/icons/hicolor/48x48/apps/nivara.png; do
  grep -qx "$expected" <<<"$listing" || { echo "missing from the package: $expected"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6sql6-sqlite libsqlite3-0 libmdb3 fonts-dejavu-core; do
  grep -q "$needed" <<<"$depends" || { echo "the package does not depend on $needed: $depends"; exit 1; }
done

root="$work/root"
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-not-root --force-script-chrootless -i "$deb" >/dev/null

launcher="$root/usr/share/applications/nivara.desktop"
desktop-file-validate "$launcher"
exec_path=$(sed -n 's/^Exec="\(.*\)"$/\1/p' "$launcher")
book_dir=$(sed -n 's/^Path=//p' "$launcher")
[ "$exec_path" = /usr/bin/nivara ] || { echo "unexpected Exec: $exec_path"; exit 1; }
[ -f "$root$book_dir/namaz.mdb" ] || { echo "no book in the launcher's Path: $book_dir"; exit 1; }

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  cd "$1" || exit 1
  # A real window on the virtual display, whatever platform the tests use.
  env -u QT_QPA_PLATFORM QT_FONT_DPI=96 "$2" >/dev/null 2>&1 & reader=$!
  for _ in $(seq 120); do
    sleep 0.25
    windows=$(xwininfo -root -tree 2>/dev/null || true)
    if grep -q "450x479" <<<"$windows"; then
      kill $reader; echo "the entry window came up on the installed book"; exit 0
    fi
    kill -0 $reader 2>/dev/null || { echo "the installed program ended early"; exit 1; }
  done
  kill $reader; echo "no entry window appeared"; echo "$windows"; exit 1' _ "$root$book_dir" "$root$exec_path"
