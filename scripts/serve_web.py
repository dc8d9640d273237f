#!/usr/bin/env python3
"""Serves Glitter's web site on 127.0.0.1 until Ctrl-C:

    scripts/serve_web.py SITE_DIR [PORT] [--live FOLDER]

PORT 0 (the default) takes a free one. The address to open is printed on the
first line. Files go out as they are on disk at each request, each with an
ETag from its modification time and size, so a browser that asks again gets
a file changed since, however soon. With --live, the files the program reads
(as the site's asset_files.json lists them) are also served from FOLDER as
live/NAME, live.json names FOLDER, and the page follows those files: a file
saved there in any editor shows in it.

Only regular files inside SITE_DIR and FOLDER go out: no folder listing, no
link followed out of them, and a named pipe or a device is answered "not
found" at once instead of being opened for a read that could wait for ever.
Only requests addressed to this machine by its own name (127.0.0.1,
localhost, [::1]) are answered, so a page elsewhere whose name a DNS server
points here cannot read the files or live.json, which names FOLDER.
"""
import argparse
import errno
import functools
import http.server
import io
import json
import os
import posixpath
import stat
import sys
import urllib.parse

# The list of the files the program reads, as the site build copies it.
FileList = "asset_files.json"
LocalHosts = ("127.0.0.1", "localhost", "[::1]")
# Opening a named pipe for reading waits for a writer unless it does not
# block; a regular file opened so reads as any other.
OpenFlags = os.O_RDONLY | getattr(os, "O_NONBLOCK", 0) | getattr(os, "O_BINARY", 0)


def open_regular(folder, relative):
    """The regular file at relative inside folder, opened, and its stat; or
    None for anything else: a path that leads out of folder (by links too),
    a folder, a pipe, a device, or nothing at all."""
    try:
        path = os.path.realpath(os.path.join(folder, relative))
        if os.path.commonpath([folder, path]) != folder:
            return None
        descriptor = os.open(path, OpenFlags)
    except (OSError, ValueError):   # ValueError: a NUL in the name, another drive
        return None
    status = os.fstat(descriptor)
    if not stat.S_ISREG(status.st_mode):
        os.close(descriptor)
        return None
    return os.fdopen(descriptor, "rb"), status


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    # Connections kept open: the page asks for the live files many times a second.
    protocol_version = "HTTP/1.1"
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript",
                      ".vert": "text/plain", ".frag": "text/plain"}

    def __init__(self, *args, site, live, live_files, **kwargs):
        self.site, self.live, self.live_files = site, live, live_files
        self.etag = None
        super().__init__(*args, **kwargs)

    def addressed_here(self):
        """Whether the Host header names this machine, with this port or none."""
        host = (self.headers.get("Host") or "").lower()
        port = str(self.server.server_address[1])
        return any(host in (name, f"{name}:{port}") for name in LocalHosts)

    def locate(self, path):
        """The folder and the path inside it that a request's path names:
        live/NAME for a listed NAME is the live folder's file, anything else
        under live/ is nothing (None), the rest is the site's. A folder's
        address (ending in "/") means its index.html."""
        if self.live and path.startswith("/live/"):
            name = path[len("/live/"):]
            return (self.live, name) if name in self.live_files else None
        relative = posixpath.normpath(path).lstrip("/")
        if path.endswith("/"):
            relative = posixpath.join(relative, "index.html")
        return self.site, relative

    def send_bytes(self, body, content_type):
        self.send_response(http.HTTPStatus.OK)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        return io.BytesIO(body)

    def send_head(self):
        self.etag = None
        if not self.addressed_here():
            self.send_error(http.HTTPStatus.FORBIDDEN,
                            "Glitter's server answers only 127.0.0.1, localhost or [::1] at its own port")
            return None
        path = urllib.parse.unquote(urllib.parse.urlsplit(self.path).path)
        if self.live and path == "/live.json":
            # In place of the site's own, which says it has no live folder.
            return self.send_bytes(json.dumps({"folder": self.live + os.sep}).encode(), "application/json")
        found = self.locate(path)
        opened = found and open_regular(*found)
        if not opened:
            self.send_error(http.HTTPStatus.NOT_FOUND)
            return None
        file, status = opened
        # A file asked for again as it was (If-None-Match: its ETag) is
        # answered "not modified", without its bytes.
        self.etag = f'"{status.st_mtime_ns:x}-{status.st_size:x}"'
        if self.etag == self.headers.get("If-None-Match"):
            file.close()
            self.send_response(http.HTTPStatus.NOT_MODIFIED)
            self.end_headers()
            return None
        self.send_response(http.HTTPStatus.OK)
        self.send_header("Content-Type", self.guess_type(found[1]))
        self.send_header("Content-Length", str(status.st_size))
        self.send_header("Last-Modified", self.date_time_string(status.st_mtime))
        self.end_headers()
        return file

    def end_headers(self):
        # Always asked again (answered "not modified" when nothing changed):
        # a shader replaced on the server shows at the next load.
        self.send_header("Cache-Control", "no-cache")
        if self.etag:
            self.send_header("ETag", self.etag)
        super().end_headers()

    def log_message(self, format, *args):
        pass   # a request log would bury the address


def fail(message):
    """Ends the server with one line on stderr and status 1."""
    print(f"serve_web.py: {message}", file=sys.stderr)
    sys.exit(1)


def live_files_of(site):
    """The names of the files the program reads, from the site's list."""
    try:
        with open(os.path.join(site, FileList), encoding="utf-8") as file:
            return frozenset(entry["name"] for entry in json.load(file)["files"])
    except (OSError, ValueError, KeyError, TypeError) as error:
        fail(f"cannot read the list of the program's files, {os.path.join(site, FileList)} ({error}): "
             f"is {site} a site that make web built?")


def listen(handler, port):
    try:
        return http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    except OSError as error:
        if error.errno == errno.EADDRINUSE:
            fail(f"port {port} is in use on 127.0.0.1: give another, or 0 for any free one")
        fail(f"cannot serve on 127.0.0.1 port {port}: {error.strerror}")


def main():
    parser = argparse.ArgumentParser(usage=__doc__.split("\n\n")[1].strip())
    parser.add_argument("site")
    parser.add_argument("port", nargs="?", type=int, default=0)
    parser.add_argument("--live", metavar="FOLDER")
    options = parser.parse_args()
    if not os.path.isdir(options.site):
        fail(f"no site folder {options.site} (make web builds build-web/site)")
    if options.live is not None and not os.path.isdir(options.live):
        fail(f"no live folder {options.live} to follow")
    # Links are resolved once here, so that what is inside is plain to check.
    site = os.path.realpath(options.site)
    live = options.live and os.path.realpath(options.live)
    live_files = live_files_of(site) if live else frozenset()
    handler = functools.partial(SiteHandler, site=site, live=live, live_files=live_files)
    with listen(handler, options.port) as server:
        address = f"http://127.0.0.1:{server.server_address[1]}/"
        print(f"Glitter is served at {address} (Ctrl-C stops it)", flush=True)
        if live:
            print(f"The page follows {live}{os.sep}: a file saved there shows in it", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
