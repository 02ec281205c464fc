#!/usr/bin/env bash
# Builds everything and runs every test, on a fresh Debian 12 machine as root:
#   1. installs the missing Debian packages;
#   2. starts a PostgreSQL 15 server in a temporary folder, with an ODBC data source for it;
#   3. build/       : configure, build, every test through CTest;
#   4. build-asan/  : the core tests again under AddressSanitizer and UndefinedBehaviorSanitizer;
#   5. build-fuzz/  : the libFuzzer targets (clang), each about 10 seconds on its seed corpus;
#   6. the benchmarks once, briefly (to know that they run; their timings are not judged here);
#   7. the Debian package built from build/, installed into a temporary root and its editor
#      started in a temporary home (scripts/prova-pacchetto.sh).
# Every stage runs even when an earlier one failed (unless it needs that one's build); the exit
# status is non-zero when any stage failed. The server is stopped and the temporary folders
# are removed at exit, whatever happened.
#
# Environment: TARNO_JOBS (default 2), TARNO_FUZZ_SECONDS (default 10).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$ROOT"
# With ccache (installed with the packages) builds of any clone share one cache: paths are
# taken relative to the clone.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ROOT}"
# Debug information then names the folder of whichever clone compiled a file first; the
# programs run the same, and builds in a fresh clone take a minute instead of six.
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
# shellcheck source=scripts/deps.sh
source scripts/deps.sh

JOBS="${TARNO_JOBS:-2}"
FUZZ_SECONDS="${TARNO_FUZZ_SECONDS:-10}"
PG_BIN=/usr/lib/postgresql/15/bin

FAILED=()
TMP_ROOT=""
FUZZ_TMP=""
PG_DIR=""
PG_RUNNING=0

log() { printf '\n### %s\n' "$*"; }

cleanup() {
    local rc=$?
    if ((PG_RUNNING)); then
        as_postgres "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -m fast -w stop >/dev/null 2>&1 || true
    fi
    [[ -n "$PG_DIR" ]] && rm -rf "$PG_DIR"
    [[ -n "$FUZZ_TMP" ]] && rm -rf "$FUZZ_TMP"
    [[ -n "$TMP_ROOT" ]] && rm -rf "$TMP_ROOT"
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Runs a command as the database owner: user postgres when we are root, ourselves otherwise.
as_postgres() {
    if ((EUID == 0)); then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

# Runs one stage; a failure is recorded and the script goes on.
stage() {
    local name=$1
    shift
    log "$name"
    local start=$SECONDS
    if "$@"; then
        echo "### $name: ok ($((SECONDS - start)) s)"
        return 0
    fi
    echo "### $name: FAILED ($((SECONDS - start)) s)"
    FAILED+=("$name")
    return 1
}

# --- PostgreSQL and ODBC ---------------------------------------------------------------------

port_in_use() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

start_postgres() {
    PG_DIR="$(mktemp -d /tmp/tarno-pg.XXXXXX)"
    chmod 0755 "$PG_DIR"
    mkdir -p "$PG_DIR/sock"
    if ((EUID == 0)); then
        chown -R postgres:postgres "$PG_DIR"
    fi
    as_postgres "$PG_BIN/initdb" -D "$PG_DIR/data" -U postgres -E UTF8 --locale=C.UTF-8 \
        --auth-local=trust --auth-host=scram-sha-256 >"$TMP_ROOT/initdb.log" 2>&1 ||
        { cat "$TMP_ROOT/initdb.log"; return 1; }

    local port
    for port in $(seq 54320 54420); do
        port_in_use "$port" && continue
        if as_postgres "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -l "$PG_DIR/server.log" -w -t 60 \
            -o "-p $port -k $PG_DIR/sock -c listen_addresses=127.0.0.1" start >/dev/null; then
            PG_RUNNING=1
            PG_PORT=$port
            break
        fi
    done
    if ((!PG_RUNNING)); then
        cat "$PG_DIR/server.log" 2>/dev/null || true
        return 1
    fi

    PG_DB=tarnotest
    PG_UID=tarno
    PG_PWD="tarno$(od -An -N8 -tx1 /dev/urandom | tr -d ' \n')"
    local psql=("$PG_BIN/psql" -X -q -v ON_ERROR_STOP=1 -h "$PG_DIR/sock" -p "$PG_PORT" -U postgres)
    as_postgres "${psql[@]}" -d postgres -c "CREATE ROLE $PG_UID LOGIN PASSWORD '$PG_PWD'" &&
        as_postgres "${psql[@]}" -d postgres -c "CREATE DATABASE $PG_DB OWNER $PG_UID" || return 1

    # The ODBC configuration lives in the temporary folder, not in /etc.
    local driver trovati
    trovati=(/usr/lib/*/odbc/psqlodbcw.so)
    driver="${trovati[0]}"
    [[ -f "$driver" ]] || driver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so
    mkdir -p "$TMP_ROOT/odbc"
    cat >"$TMP_ROOT/odbc/odbcinst.ini" <<EOF
[PostgreSQL Unicode]
Description = PostgreSQL ODBC driver (Unicode)
Driver = $driver
EOF
    cat >"$TMP_ROOT/odbc/odbc.ini" <<EOF
[$PG_DB]
Description = Tarno test catalogue
Driver = PostgreSQL Unicode
Servername = 127.0.0.1
Port = $PG_PORT
Database = $PG_DB
EOF
    export ODBCSYSINI="$TMP_ROOT/odbc"
    export ODBCINI="$TMP_ROOT/odbc/odbc.ini"
    export TARNO_TEST_PG_DSN="$PG_DB"
    export TARNO_TEST_PG_UID="$PG_UID"
    export TARNO_TEST_PG_PWD="$PG_PWD"
    export TARNO_TEST_PG_PORT="$PG_PORT"
    export TARNO_TEST_PG_HOST=127.0.0.1

    # The data source must answer through unixODBC before any test relies on it.
    local out
    out="$(echo "SELECT 41 + 1;" | isql -b -v "$TARNO_TEST_PG_DSN" "$PG_UID" "$PG_PWD" 2>&1)" || {
        echo "$out"
        return 1
    }
    grep -q 42 <<<"$out" || { echo "$out"; return 1; }
    echo "PostgreSQL 15 on 127.0.0.1:$PG_PORT, ODBC data source \"$PG_DB\" answers"
}

# --- builds and runs --------------------------------------------------------------------------

configure_and_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" "$@" && cmake --build "$dir" -j "$JOBS"
}

run_ctest() {
    # One test at a time: the catalogue tests share one database.
    ctest --test-dir "$1" --output-on-failure --timeout 600
}

build_fuzz() {
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTARNO_FUZZ=ON -DTARNO_TESTS=OFF -DTARNO_BENCH=OFF -DTARNO_QT=OFF &&
        cmake --build build-fuzz -j "$JOBS" --target fuzz_ini fuzz_driver fuzz_miner fuzz_proposta
}

# Runs one libFuzzer target for FUZZ_SECONDS on a scratch copy of its seed corpus. A crash
# leaves its input in build-fuzz/crashes/.
run_fuzzer() {
    local target=$1 corpus=$2
    shift 2
    local work="$FUZZ_TMP/corpus-$target"
    local crashes="$ROOT/build-fuzz/crashes"
    mkdir -p "$work" "$crashes"
    local logfile="$TMP_ROOT/$target.log"
    if TMPDIR="$FUZZ_TMP" "build-fuzz/fuzz/$target" -max_total_time="$FUZZ_SECONDS" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$crashes/$target-" "$@" \
        "$work" "$corpus" >"$logfile" 2>&1; then
        grep -E '^(Done|stat::number_of_executed_units)' "$logfile" || true
        return 0
    fi
    tail -n 60 "$logfile"
    echo "reproduce with: build-fuzz/fuzz/$target $crashes/$target-<file>"
    return 1
}

# --- the run ------------------------------------------------------------------------------------

log "Debian packages"
tarno_install_deps

TMP_ROOT="$(mktemp -d /tmp/tarno-test.XXXXXX)"
export XDG_RUNTIME_DIR="$TMP_ROOT/runtime"
export XDG_CONFIG_HOME="$TMP_ROOT/config"
# The programs look for a per-user suite there: never the user's own.
export XDG_DATA_HOME="$TMP_ROOT/data"
mkdir -m 0700 "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
export QT_QPA_PLATFORM=offscreen
# Read by the sanitizer builds only (build-asan/, build-fuzz/).
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The fuzzers write a file or two per input: keep them in memory when possible.
if [[ -d /dev/shm && -w /dev/shm ]]; then
    FUZZ_TMP="$(mktemp -d /dev/shm/tarno-fuzz.XXXXXX)"
else
    FUZZ_TMP="$TMP_ROOT/fuzz"
    mkdir -p "$FUZZ_TMP"
fi

stage "PostgreSQL server and ODBC data source" start_postgres || true

BUILD_OK=0
if stage "build (build/)" configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo; then
    BUILD_OK=1
    stage "tests (build/)" run_ctest build || true
fi

if stage "sanitizer build (build-asan/)" configure_and_build build-asan \
    -DCMAKE_BUILD_TYPE=Debug -DTARNO_SANITIZE=ON -DTARNO_BENCH=OFF -DTARNO_QT=OFF; then
    stage "tests under ASan/UBSan (build-asan/)" run_ctest build-asan || true
fi

if stage "fuzz build (build-fuzz/, clang)" build_fuzz; then
    stage "fuzz_ini for ${FUZZ_SECONDS} s" run_fuzzer fuzz_ini fuzz/corpus/ini || true
    stage "fuzz_driver for ${FUZZ_SECONDS} s" run_fuzzer fuzz_driver fuzz/corpus/driver \
        -max_len=16384 || true
    stage "fuzz_miner for ${FUZZ_SECONDS} s" run_fuzzer fuzz_miner fuzz/corpus/miner \
        -max_len=16384 || true
    stage "fuzz_proposta for ${FUZZ_SECONDS} s" run_fuzzer fuzz_proposta fuzz/corpus/proposta \
        -max_len=16384 || true
fi

if ((BUILD_OK)); then
    stage "benchmark, one brief run (build/)" build/bench/bench_driver --benchmark_min_time=0.05 ||
        true
    stage "engine benchmark, one run (build/)" build/bench/bench_miner || true
    stage "proposal benchmark, one brief run (build/)" build/bench/bench_proposta \
        --benchmark_min_time=0.05 || true
    stage "Debian package: built, installed, started in a temporary home" \
        scripts/prova-pacchetto.sh build || true
fi

log "summary"
if ((${#FAILED[@]})); then
    printf 'FAILED: %s\n' "${FAILED[@]}"
    exit 1
fi
echo "all stages passed"
