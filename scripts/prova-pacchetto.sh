#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a temporary root and starts
# the installed editor there as a user whose home is a temporary folder: the per-user suite must
# be created, the demo driver must open and verify with its printout, and no file may be
# written outside that home. Also checks that the three programs tell the package's version,
# and runs lintian (errors fail) and desktop-file-validate on what was installed.
#   scripts/prova-pacchetto.sh [BUILD_DIR]      (default build/)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
T="$(mktemp -d /tmp/tarno-pacchetto.XXXXXX)"
trap 'rm -rf "$T"' EXIT

fallito() {
    echo "FAILED: $*" >&2
    exit 1
}

cmake --build "$BUILD" -j "${TARNO_JOBS:-2}" --target tarnodriver tarnodrv tarnominer demo_suite \
    pagine_manuale
(cd "$BUILD" && cpack -G DEB -B "$T/pacchetto" >"$T/cpack.log" 2>&1) ||
    { cat "$T/cpack.log"; fallito "cpack"; }
[[ -n "${TARNO_TIENI:-}" ]] && trap - EXIT && echo "kept: $T"
DEB="$(ls "$T"/pacchetto/tarnodriver_*.deb)"
echo "package: $(basename "$DEB")"
dpkg-deb --info "$DEB"
VERSIONE="$(dpkg-deb -f "$DEB" Version)"

INST="$T/radice"
dpkg -x "$DEB" "$INST"
for p in tarnodriver tarnodrv tarnominer; do
    [[ "$("$INST/usr/bin/$p" --version)" == "$p $VERSIONE" ]] ||
        fallito "$p --version does not say $VERSIONE"
done
# The editor's usage, without a display: it says how to choose the language and exits.
grep -q -- '--lingua' <(env -i "$INST/usr/bin/tarnodriver" --help) ||
    fallito "tarnodriver --help does not print its usage"
desktop-file-validate "$INST/usr/share/applications/tarnodriver.desktop" ||
    fallito "desktop entry"
# The desktop opens drivers with the editor: the entry claims the type that *.drv names.
grep -qx 'MimeType=application/x-tarno-driver;' "$INST/usr/share/applications/tarnodriver.desktop" ||
    fallito "the desktop entry does not open drivers"
if command -v update-mime-database >/dev/null; then
    update-mime-database "$INST/usr/share/mime" >/dev/null 2>&1
    grep -qx 'application/x-tarno-driver:\*\.drv' <(cut -d: -f2- "$INST/usr/share/mime/globs2") ||
        fallito "*.drv is not the drivers' MIME type"
fi

# The user: a home of its own and nothing else of the environment but the path.
CASA="$T/casa utente"
mkdir -p "$CASA/runtime"
chmod 0700 "$CASA/runtime"
SUITE="$CASA/.local/share/TarnoDriver"
LAVORO="$CASA/Documents/TarnoDriver"
cd "$CASA"
rc=0
# The user's first start, with nothing on the command line: the editor makes the per-user suite
# and opens the demo driver with its printout, which TARNO_VERIFICA then verifies.
env -i HOME="$CASA" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$CASA/runtime" LANG=C.UTF-8 \
    QT_QPA_PLATFORM=offscreen TARNO_VERIFICA=1 \
    strace -f -qq -s 4096 -e trace=%file,%desc -e status=successful -o "$T/strace.log" \
    timeout 60 "$INST/usr/bin/tarnodriver" >"$T/uscita.log" 2>"$T/errori.log" ||
    rc=$?
cd "$ROOT"
((rc == 0)) || { cat "$T/errori.log" "$T/uscita.log"; fallito "the installed editor ended with $rc"; }
# grep reads the file itself: behind a pipe, "grep -q" stops at its first hit and the writer's
# SIGPIPE would fail the pipeline (pipefail) on a timing.
# The demo printout holds 40 calls (21 incoming, 4 of them transferred; 19 outgoing, 2
# transferred) and four heading lines; every field of every call reads.
for conto in 'Chiamate riconosciute: *40' '  entranti: *17' '  uscenti: *17' \
    '  entranti trasferite: *4' '  uscenti trasferite: *2' 'Righe non riconosciute: *4' \
    'Valori non validi: *0'; do
    grep -Eq "^$conto"$'\r?$' "$T/uscita.log" ||
        { cat "$T/uscita.log"; fallito "the demo driver did not verify: $conto"; }
done
for f in "$SUITE/Tarnosuite.ini" "$SUITE/catalogo.db" "$SUITE/VerificaDrv.log" \
    "$LAVORO/Driver/PanasonicTDA.drv" "$LAVORO/Dati/PanasonicTDA.txt"; do
    [[ -f "$f" ]] || fallito "missing: $f"
done
[[ "$(stat -c %a "$SUITE/Tarnosuite.ini")" == 600 ]] || fallito "Tarnosuite.ini is not 0600"
grep -q "^WorkDir=$LAVORO"$'\r'"$" "$SUITE/Tarnosuite.ini" || fallito "WorkDir"

# Every file the editor and the engine created, wrote, renamed, removed or changed: under the
# home (devices and the kernel's files aside). Relative paths are relative to the home.
python3 - "$T/strace.log" "$CASA" <<'PY'
import re, sys
log, casa = sys.argv[1], sys.argv[2]
scrive = re.compile(r'^\d+\s+(\w+)\((.*)\)\s+=\s+\d')
fuori = set()
for riga in open(log, encoding="utf-8", errors="replace"):
    m = scrive.match(riga)
    if not m:
        continue
    chiamata, argomenti = m.groups()
    percorsi = re.findall(r'"((?:[^"\\]|\\.)*)"', argomenti)
    if chiamata in ("open", "openat", "creat"):
        if chiamata != "creat" and not re.search(r"O_WRONLY|O_RDWR|O_CREAT|O_TRUNC", argomenti):
            continue
        percorsi = percorsi[:1]
    elif chiamata not in ("mkdir", "mkdirat", "rename", "renameat", "renameat2", "unlink",
                          "unlinkat", "rmdir", "link", "linkat", "symlink", "symlinkat",
                          "chmod", "fchmodat", "chown", "fchownat", "lchown", "truncate",
                          "utimensat", "setxattr", "lsetxattr"):
        continue
    for p in percorsi:
        p = bytes(p, "utf-8").decode("unicode_escape").encode("latin-1").decode("utf-8", "replace")
        if not p.startswith("/"):
            p = casa + "/" + p
        if p.startswith(("/dev/", "/proc/", "/sys/")) or p == casa or p.startswith(casa + "/"):
            continue
        fuori.add(f"{chiamata} {p}")
if fuori:
    print("written outside the home:", *sorted(fuori), sep="\n  ")
    sys.exit(1)
PY
echo "the installed editor created the per-user suite and verified the demo driver inside its home"

# A driver file given on the command line, as the desktop gives a double-clicked one.
(cd "$CASA" && env -i HOME="$CASA" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$CASA/runtime" \
    LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen TARNO_VERIFICA=1 \
    TARNO_DATI="$LAVORO/Dati/SiemensHiPath.txt" timeout 60 "$INST/usr/bin/tarnodriver" \
    "$LAVORO/Driver/SiemensHiPath.drv" >"$T/uscita-file.log" 2>&1) ||
    { cat "$T/uscita-file.log"; fallito "the editor did not open a driver file given to it"; }
grep -Eq $'^Driver: .*/SiemensHiPath\\.drv\r?$' "$T/uscita-file.log" ||
    { cat "$T/uscita-file.log"; fallito "the driver file given was not the one verified"; }

if command -v lintian >/dev/null; then
    lintian --fail-on error --tag-display-limit 0 "$DEB"
fi
