#!/usr/bin/env python3
"""Serves Glitter's web site on 127.0.0.1 until Ctrl-C:

    scripts/serve_web.py SITE_DIR [PORT]

PORT 0 (the default) takes a free one. The address to open is printed on the
first line. Files go out as they are on disk at each request, with their
modification time, so a browser that asks again gets a file changed since.
"""
import functools
import http.server
import sys


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript",
                      ".vert": "text/plain", ".frag": "text/plain"}

    def end_headers(self):
        # Always asked again (answered "not modified" when nothing changed):
        # a shader replaced on the server shows at the next load.
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, format, *args):
        pass   # a request log would bury the address


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    port = int(sys.argv[2]) if len(sys.argv) == 3 else 0
    handler = functools.partial(SiteHandler, directory=sys.argv[1])
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(f"Glitter is served at http://127.0.0.1:{server.server_address[1]}/ (Ctrl-C stops it)", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
