# Shared by run.sh, test.sh and .ci/run: packages, configure, build.
# Sourced, not run.

TORVEL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TORVEL_BUILD="$TORVEL_ROOT/build"

TORVEL_PACKAGES=(build-essential cmake ninja-build qt6-base-dev libgtest-dev googletest
                 libbenchmark-dev libcurl4-openssl-dev nlohmann-json3-dev libpugixml-dev libsqlite3-dev xvfb
                 fonts-dejavu-core fonts-dejavu-extra)

say() { printf 'torvel: %s\n' "$*"; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages that are not installed yet.
ensure_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "installing ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures the tree when it is new or when one of the -D options given
# differs from its cache (a tree configured by hand without the GUI would
# otherwise skip the GUI tests); ninja leaves what is current alone.
build_tree() {
    local dir="$1"; shift
    local configure=0 arg name value cached
    if [ ! -f "$dir/build.ninja" ] || [ ! -f "$dir/CMakeCache.txt" ]; then
        configure=1
    else
        for arg in "$@"; do
            case "$arg" in
                -D*=*)
                    name="${arg#-D}"; value="${name#*=}"; name="${name%%=*}"; name="${name%%:*}"
                    cached="$(grep -m1 "^$name:[A-Z]*=" "$dir/CMakeCache.txt" | cut -d= -f2-)" || true
                    [ "$cached" = "$value" ] || configure=1
                    ;;
            esac
        done
    fi
    if [ "$configure" -eq 1 ]; then
        cmake -S "$TORVEL_ROOT" -B "$dir" -G Ninja "$@"
    fi
    cmake --build "$dir"
}
