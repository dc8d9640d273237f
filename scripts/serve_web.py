#!/usr/bin/env python3
"""Serves Glitter's web site on 127.0.0.1 until Ctrl-C:

    scripts/serve_web.py SITE_DIR [PORT] [--live FOLDER]

PORT 0 (the default) takes a free one. The address to open is printed on the
first line. Files go out as they are on disk at each request, each with an
ETag from its modification time and size, so a browser that asks again gets
a file changed since, however soon. With --live, the four files the program
reads are also served from FOLDER as live/NAME, live.json names FOLDER, and
the page follows those files: a file saved there in any editor shows in it.
"""
import argparse
import functools
import http.server
import io
import json
import os
import urllib.parse

LiveFiles = ("confetti.vert", "fire.vert", "fire.frag", "particle.bmp")


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    # Connections kept open: the page asks for the live files many times a second.
    protocol_version = "HTTP/1.1"
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript",
                      ".vert": "text/plain", ".frag": "text/plain"}

    def __init__(self, *args, live=None, **kwargs):
        self.live = live
        self.etag = None
        super().__init__(*args, **kwargs)

    def live_file(self):
        """The live folder's file the request asks for: one of the four
        files, straight from the folder, so nothing else of the machine is
        reachable this way; "" for any other request."""
        name = urllib.parse.unquote(urllib.parse.urlsplit(self.path).path)
        return name[len("/live/"):] if name[len("/live/"):] in LiveFiles and name.startswith("/live/") else ""

    def translate_path(self, path):
        name = self.live and self.live_file()
        return os.path.join(self.live, name) if name else super().translate_path(path)

    def send_head(self):
        self.etag = None
        if self.live and self.path.split("?")[0] == "/live.json":
            # In place of the site's own, which says it has no live folder.
            body = json.dumps({"folder": self.live + os.sep}).encode()
            self.send_response(http.HTTPStatus.OK)
            self.send_header("Content-Type", "application/json")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            return io.BytesIO(body)
        if self.live and self.path.startswith("/live/") and not self.live_file():
            self.send_error(http.HTTPStatus.NOT_FOUND)
            return None
        # A file asked for again as it was (If-None-Match: its ETag) is
        # answered "not modified", without its bytes.
        try:
            stat = os.stat(self.translate_path(self.path))
            self.etag = f'"{stat.st_mtime_ns:x}-{stat.st_size:x}"'
        except OSError:
            pass
        if self.etag and self.etag == self.headers.get("If-None-Match"):
            self.send_response(http.HTTPStatus.NOT_MODIFIED)
            self.end_headers()
            return None
        return super().send_head()

    def end_headers(self):
        # Always asked again (answered "not modified" when nothing changed):
        # a shader replaced on the server shows at the next load.
        self.send_header("Cache-Control", "no-cache")
        if self.etag:
            self.send_header("ETag", self.etag)
        super().end_headers()

    def log_message(self, format, *args):
        pass   # a request log would bury the address


def main():
    parser = argparse.ArgumentParser(usage=__doc__.split("\n\n")[1].strip())
    parser.add_argument("site")
    parser.add_argument("port", nargs="?", type=int, default=0)
    parser.add_argument("--live", metavar="FOLDER", type=os.path.abspath)
    options = parser.parse_args()
    handler = functools.partial(SiteHandler, directory=options.site, live=options.live)
    with http.server.ThreadingHTTPServer(("127.0.0.1", options.port), handler) as server:
        address = f"http://127.0.0.1:{server.server_address[1]}/"
        print(f"Glitter is served at {address} (Ctrl-C stops it)", flush=True)
        if options.live:
            print(f"The page follows {options.live}{os.sep}: a file saved there shows in it", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
