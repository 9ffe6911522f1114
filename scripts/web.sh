#!/usr/bin/env bash
# The game in a web page. Installs what is missing, builds build-web/site/ (the page, its .js, .wasm and .data, the
# font, the icons, the manifest and the service worker) and serves it on 127.0.0.1, printing one line with the
# address; any static file server can host the folder instead.
#   --build  only builds
#   --test   builds, then plays it in headless Chromium (tests/web/)
# The pictures and sounds come from the native build's run folder (build/), made first when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-serve}
case "$mode" in serve|--build|--test) ;; *) echo "usage: bash scripts/web.sh [--build|--test]" >&2; exit 2 ;; esac

bash scripts/deps.sh "$([ "$mode" = --test ] && echo test || echo web)" # the tests take the desktop frame under Xvfb
need=()
command -v emcc >/dev/null || need+=(emscripten)
if [ "$mode" = --test ]; then
    command -v chromium >/dev/null || need+=(chromium)
    command -v node >/dev/null || need+=(nodejs)
    command -v npm >/dev/null || need+=(npm)
fi
if [ ${#need[@]} -gt 0 ]; then
    echo "Installing: ${need[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

[ -f build/CMakeCache.txt ] || cmake --preset release >/dev/null
# The tests compare a screen with the desktop game's.
cmake --build build -j"$(nproc)" --target runfolder makeart $([ "$mode" = --test ] && echo quillfray) >/dev/null
cmake --preset web >/dev/null
cmake --build build-web -j"$(nproc)" >/dev/null
site=build-web/site

# serve PORT: one line with the address, then the site until stopped; port 0 takes any free one.
serve() {
    python3 - "$site" "$1" <<'PY'
import functools, http.server, sys
class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass
handler = functools.partial(Quiet, directory=sys.argv[1])
try:
    server = http.server.ThreadingHTTPServer(('127.0.0.1', int(sys.argv[2])), handler)
except OSError:  # taken: any free port
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
print(f'Quillfray is served at http://127.0.0.1:{server.server_port}/ (Ctrl-C stops it)', flush=True)
try:
    server.serve_forever()
except KeyboardInterrupt:
    pass
PY
}

case "$mode" in
--build)
    echo "web: built $site" ;;
--test)
    (cd tests/web && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
    exec 3< <(serve 0)
    server=$!
    trap 'kill $server' EXIT
    read -r line <&3
    url=${line#*at }
    QF_URL=${url%% *} QF_RUN_DIR=build/run node --test tests/web/web.test.mjs ;;
serve)
    serve 8000 ;;
esac
