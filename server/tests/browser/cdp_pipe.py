"""Headless Chromium driven over the DevTools protocol on a pipe (--remote-debugging-pipe):
JSON messages separated by NUL bytes on the child's descriptors 3 (commands) and 4 (events and
replies). Nothing beyond the standard library."""
import json
import os
import shutil
import subprocess
import tempfile
import time

FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--remote-debugging-pipe"]


def find_chromium():
    return shutil.which("chromium") or shutil.which("chromium-browser")


class Chromium:
    def __init__(self, binary):
        self.profile = tempfile.mkdtemp(prefix="tessa-chromium-")
        to_child_r, self.to_child = os.pipe()
        self.from_child, from_child_w = os.pipe()

        def wire():
            # Through fresh copies first: a pipe end may itself sit on 3 or 4.
            read_end, write_end = os.dup(to_child_r), os.dup(from_child_w)
            os.dup2(read_end, 3)
            os.dup2(write_end, 4)

        # 3 and 4 are kept too, whether the descriptors are closed before or after wire() runs.
        self.process = subprocess.Popen(
            [binary] + FLAGS + ["--user-data-dir=" + self.profile, "about:blank"],
            pass_fds=(3, 4, to_child_r, from_child_w), preexec_fn=wire,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_child_r)
        os.close(from_child_w)
        self.next_id = 0
        self.buffer = b""
        self.events = []

    def close(self):
        try:
            self.command("Browser.close")
        except Exception:
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
        shutil.rmtree(self.profile, ignore_errors=True)

    def _read_message(self, deadline):
        while b"\0" not in self.buffer:
            if time.time() > deadline:
                raise TimeoutError("no answer from chromium")
            chunk = os.read(self.from_child, 65536)
            if not chunk:
                raise EOFError("chromium went away")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def command(self, method, params=None, session=None, timeout=20):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self.to_child, json.dumps(message).encode() + b"\0")
        deadline = time.time() + timeout
        while True:
            reply = self._read_message(deadline)
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError("%s: %s" % (method, reply["error"]))
                return reply.get("result", {})
            self.events.append(reply)

    def wait_event(self, method, session, timeout=20):
        deadline = time.time() + timeout
        while True:
            for i, event in enumerate(self.events):
                if event.get("method") == method and event.get("sessionId") == session:
                    return self.events.pop(i)
            self.events.append(self._read_message(deadline))

    def open_page(self):
        target = self.command("Target.createTarget", {"url": "about:blank"})["targetId"]
        session = self.command("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        self.command("Page.enable", session=session)
        return session

    def navigate(self, session, url):
        self.events = [e for e in self.events if e.get("method") != "Page.loadEventFired"]
        self.command("Page.navigate", {"url": url}, session=session)
        self.wait_event("Page.loadEventFired", session)

    def evaluate(self, session, expression):
        result = self.command("Runtime.evaluate", {"expression": expression, "returnByValue": True}, session=session)
        if "exceptionDetails" in result:
            raise RuntimeError("script failed: %s" % result["exceptionDetails"])
        return result["result"].get("value")
