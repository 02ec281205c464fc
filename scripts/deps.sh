# Debian 12 packages the build, the tests, the package and the run need; sourced by run.sh and
# test.sh.
# tarno_install_deps installs only what is missing (apt-get update runs only then).

TARNO_DEBIAN_PACKAGES=(
    cmake g++ clang libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
    qt6-base-dev qt6-translations-l10n libqt6sql6-sqlite libqt6sql6-odbc
    unixodbc unixodbc-dev odbc-postgresql postgresql-15
    sqlite3 libgl1-mesa-dev xvfb xauth ccache
    dpkg-dev lintian desktop-file-utils strace python3
)

tarno_install_deps() {
    local missing=() p
    for p in "${TARNO_DEBIAN_PACKAGES[@]}"; do
        if [[ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]]; then
            missing+=("$p")
        fi
    done
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    echo "== installing: ${missing[*]}"
    local sudo=()
    if ((EUID != 0)); then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
}
