#!/usr/bin/env bash
# Installs the build into a temporary root (DESTDIR), then runs the installed gwsim and gwctl against each other
# with a fresh home: the installed programs find their data in share/gwconfig and seed the per-user folder. The
# menu entry, the AppStream file, the manual pages and the bash completion are checked where they were put.
set -euo pipefail
build=$1
fail() { echo "FAILED: $*" >&2; exit 1; }

tmp=$(mktemp -d)
simpid=
cleanup() { [ -n "$simpid" ] && kill "$simpid" 2>/dev/null; wait 2>/dev/null; rm -rf "$tmp"; }
trap cleanup EXIT

DESTDIR=$tmp/root cmake --install "$build" --prefix /usr >/dev/null
usr=$tmp/root/usr
bin=$usr/bin
export HOME=$tmp/home
unset XDG_DATA_HOME GWCONFIG_HOME
mkdir -p "$HOME"

"$bin/gwsim" --tcp 0 >"$tmp/sim.out" &
simpid=$!
for _ in $(seq 100); do grep -q '^tcp ' "$tmp/sim.out" && break; sleep 0.1; done
port=$(sed -n 's/^tcp 127.0.0.1://p' "$tmp/sim.out")
[ -n "$port" ] || fail "the installed gwsim announced no LAN console"

out=$("$bin/gwctl" --lan "127.0.0.1:$port" --user admin --password admin identify) || fail "identify: $out"
grep -q "Q2041" <<<"$out" || fail "identify printed no serial number: $out"
folder=$HOME/.local/share/gwconfig
cmp -s "$folder/languages.ini" "$usr/share/gwconfig/languages.ini" || fail "the user folder was not seeded"
"$bin/gwctl" gateway add Office --host 127.0.0.1 --port "$port" --user admin --password admin >/dev/null ||
  fail "gateway add"
"$bin/gwctl" --gateway Office load system >/dev/null || fail "load system"
grep -qi '^\[' "$folder/Office/Office.ini" || fail "no parameter file in the user folder"

app=org.gwconfig.gwconfig
desktop-file-validate "$usr/share/applications/$app.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$usr/share/metainfo/$app.metainfo.xml" >/dev/null || fail "AppStream file"
[ -f "$usr/share/icons/hicolor/scalable/apps/$app.svg" ] || fail "no icon"
for program in gwctl gwsim; do
  zcat "$usr/share/man/man1/$program.1.gz" | grep -q "^\.SH DESCRIPTION" || fail "manual page of $program"
done
zcat "$usr/share/man/man1/gwctl.1.gz" | grep -q '^\.SS load PAGE' || fail "gwctl's manual page lacks its commands"

# Completion: commands by prefix, and the gateways of gtws.ini after --gateway.
export PATH=$bin:$PATH
# shellcheck source=/dev/null
source "$usr/share/bash-completion/completions/gwctl"
complete_words() { COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMPREPLY=(); _gwctl; echo "${COMPREPLY[*]}"; }
[ "$(complete_words gwctl lo)" = "load log" ] || fail "completing 'lo': $(complete_words gwctl lo)"
[ "$(complete_words gwctl --gateway Of)" = "Office" ] || fail "completing a gateway: $(complete_words gwctl --gateway Of)"
[ "$(complete_words gwctl save sy)" = "system" ] || fail "completing a page"
echo "installed programs work"
