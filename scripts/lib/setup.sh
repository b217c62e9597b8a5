# Shared set-up of scripts/test and scripts/run: installs what is missing, never what is current.
# Sourced; expects ROOT to be the repository root.

BUILD="$ROOT/build"
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko installers: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

APT_PACKAGES=(cmake g++ make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb
              xauth x11-utils xdotool imagemagick libgtest-dev googletest libpugixml-dev libbenchmark-dev
              tinyproxy-bin python3 clang-14 libclang-rt-14-dev)

log() { printf '== %s\n' "$*" >&2; }

ensure_packages() {
    local missing=()
    for p in "${APT_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if ((${#missing[@]})); then
        log "installing ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
}

# Debian's pugixml source package, fetched into the build folder with a private apt state,
# so the machine's apt configuration stays as it is.
ensure_pugixml_source() {
    local dest="$BUILD/deps/pugixml"
    [[ -f "$dest/src/pugixml.cpp" ]] && return
    local apt="$BUILD/deps/apt"
    rm -rf "$apt" && mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/sources" "$apt/download"
    local version
    version=$(dpkg-query -W -f='${source:Version}' libpugixml-dev)
    # The machine's own package sources as source-package entries: same mirrors, suites and
    # components, so this works on any mirror the machine is set up with.
    apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Created-By: Packages' \
        | sort -u | sed -n 's/^\(.\+\) \(.\+\) \(.\+\)$/deb-src \1 \2 \3/p' > "$apt/sources/machine-src.list"
    if [[ ! -s "$apt/sources/machine-src.list" ]]; then
        log "no package sources are configured on this machine"
        return 1
    fi
    local opts=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt/sources"
                -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "APT::Sandbox::User=root")
    log "fetching the pugixml $version source package"
    # A third-party source without source packages (or out of reach) must not stop the fetch;
    # whether pugixml's source was found shows in the download below.
    apt-get "${opts[@]}" update -qq || log "some package sources could not be read"
    (cd "$apt/download" && apt-get "${opts[@]}" source --download-only -qq "pugixml=$version")
    mkdir -p "$dest"
    tar -xzf "$apt/download"/pugixml_*.orig.tar.gz -C "$dest" --strip-components=1
}

ensure_wine_prefix() {
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        log "creating the Wine prefix"
        mkdir -p "$WINEPREFIX"
        wineboot -u >/dev/null 2>&1 </dev/null
        wineserver -w
    fi
    # Without a window manager Wine waits for one on every window it destroys; unmanaged windows
    # make each GUI test take a fraction of a second instead of seconds.
    if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
        wineserver -w
    fi
}

# One persistent wineserver for the whole run; Wine's own services are started with their
# output sent away, so they never inherit (and hold open) the test runner's pipes.
start_wineserver() {
    # Fails when a server already runs for the prefix, which serves as well.
    wineserver -p >/dev/null 2>&1 </dev/null || true
    wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

stop_wineserver() { wineserver -k >/dev/null 2>&1 || true; }

# A private X display for GUI tests and runs without one.
start_xvfb() {
    local n
    for n in $(seq 91 120); do
        [[ -e /tmp/.X$n-lock ]] && continue
        Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
        XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
        kill "$XVFB_PID" 2>/dev/null
    done
    log "no X display could be started"
    return 1
}

stop_xvfb() { [[ -n "${XVFB_PID:-}" ]] && kill "$XVFB_PID" 2>/dev/null || true; }

configure_and_build() {
    local preset=$1
    # Configure once; later runs let the build tool decide what is out of date.
    [[ -f "$BUILD/$preset/CMakeCache.txt" ]] || cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
}

# The program folder as it ships: the exe, its languages, licence texts and skins.
stage_program_folder() {
    local dest=$1
    mkdir -p "$dest"
    cp "$BUILD/windows/src/app/lentora.exe" "$dest/"
    rm -rf "$dest/languages" "$dest/License" "$dest/skins"
    cp -r "$ROOT/languages" "$ROOT/License" "$ROOT/skins" "$dest/"
}
