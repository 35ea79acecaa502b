#!/usr/bin/env python3
"""A recording proxy in front of the real catalogue server, for the shell's tests.

Every request is logged as one line "PATH?QUERY token=TOKEN" (token empty when the request
had none) to the log file, then forwarded to the server, unless a rule of the rules file
matches the path: "PATH reply JSON" answers with that body, "PATH file LOCAL_PATH" with that
file's bytes (a file the server does not host), "PATH drop" closes the connection without an
answer (a failed transfer), "PATH loris" answers a 60-byte body one byte a second (a slow
loris, which no stall limit catches). Rules are read on every request, so a
test changes them between its steps.

usage: catalogue_proxy.py PORT_FILE UPSTREAM_URL LOG_FILE RULES_FILE [PORT]
(PORT: where to listen, default a free port; the port taken is written to PORT_FILE)
"""
import http.server
import socketserver
import sys
import time
import urllib.error
import urllib.request

port_file, upstream, log_file, rules_file = sys.argv[1:5]
listen_port = int(sys.argv[5]) if len(sys.argv) > 5 else 0


def rule_for(path):
    try:
        with open(rules_file, encoding="utf-8") as f:
            for line in f:
                parts = line.rstrip("\n").split(" ", 2)
                if len(parts) >= 2 and path.split("?")[0] == parts[0]:
                    return parts[1], (parts[2] if len(parts) > 2 else "")
    except FileNotFoundError:
        pass
    return None, None


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def do_GET(self):
        token = self.headers.get("token", "")
        with open(log_file, "a", encoding="utf-8") as log:
            log.write("%s token=%s\n" % (self.path, token))
        action, body = rule_for(self.path)
        if action == "drop":
            self.close_connection = True
            self.connection.close()
            return
        if action == "loris":
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", "60")
            self.end_headers()
            try:
                for _ in range(60):
                    self.wfile.write(b"l")
                    self.wfile.flush()
                    time.sleep(1)
            except OSError:
                pass  # the client has given up
            return
        if action == "reply":
            self.answer(200, body.encode("utf-8"))
            return
        if action == "file":
            with open(body, "rb") as f:
                self.answer(200, f.read(), "application/octet-stream")
            return
        request = urllib.request.Request(upstream + self.path)
        if token:
            request.add_header("token", token)
        try:
            with urllib.request.urlopen(request, timeout=30) as reply:
                self.answer(reply.status, reply.read())
        except urllib.error.HTTPError as error:
            self.answer(error.code, error.read())

    def answer(self, status, body, content_type="application/json;charset=UTF-8"):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


server = Server(("127.0.0.1", listen_port), Handler)
with open(port_file, "w") as f:
    f.write(str(server.server_address[1]))
server.serve_forever()
