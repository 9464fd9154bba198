# Sourced by the scripts: installs the Debian packages a fresh machine lacks (and only
# those), and the build settings the scripts share.
orlo_install_missing() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if ! command -v apt-get >/dev/null 2>&1; then
    echo "missing packages (${missing[*]}) and no apt-get to install them" >&2
    return 1
  fi
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}
orlo_jobs() { nproc 2>/dev/null || echo 2; }

# Configures build folder $1 with the options that follow; compiles through ccache when
# the machine has it (which may then also cache the test programs' precompiled header).
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
# Paths below the project folder count relative to it, so a checkout elsewhere (a CI
# folder) finds what another checkout compiled.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
orlo_configure() {
  local dir=$1; shift
  local launcher=()
  command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$dir" "${launcher[@]}" "$@" >/dev/null
}

# Options of the check builds (ThreadSanitizer, fuzzing): quick to compile, no debug info.
orlo_check_build_options=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 -DORLO_BUILD_BENCH=OFF)
