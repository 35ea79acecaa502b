#!/usr/bin/env python3
"""The catalogue server's sign-in pages in headless Chromium, with a wxCallback that the test
defines in the top page only (as a bridge that reaches sub-frames through their parent would):
- demo provider: "确认登录" leads to exactly one call with three strings (code, commodityType,
  loginCode = the page's own), and that code signs in once through getOpenId; a bridge that
  appears only after the callback page ran still gets its one call;
- WeChat provider (against a stand-in for WeChat's QR connect page, which redirects the frame
  as WeChat does once the phone confirmed): the callback page inside the frame reaches the call
  through parent.

usage: signin_pages_test.py TESSA_CATALOGUE DEMO_FILES_DIR      (exit 77: no chromium here)"""
import http.server
import json
import os
import socket
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
import urllib.request

from cdp_pipe import Chromium, find_chromium

RECORDER = ("window.calls=[];window.wxCallback=function(){var a=[];"
            "for(var i=0;i<arguments.length;i++){a.push(arguments[i]);}window.calls.push(a);};")
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def free_port():
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return port


def get_json(url):
    with urllib.request.urlopen(url, timeout=10) as reply:
        return json.loads(reply.read())


def start_server(binary, files, work, extra):
    db = os.path.join(work, "catalogue-%d.db" % len(os.listdir(work)))
    subprocess.run([binary, "init-demo", "--db", db, "--files", files], check=True, stdout=subprocess.DEVNULL)
    port = free_port()
    server = subprocess.Popen([binary, "serve", "--db", db, "--files", files, "--host", "127.0.0.1",
                               "--port", str(port)] + extra, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    base = "http://127.0.0.1:%d" % port
    for _ in range(100):
        try:
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            return server, base
        except OSError:
            time.sleep(0.1)
    raise RuntimeError("the catalogue server did not start")


def sign_in_page(base):
    reply = get_json(base + "/api/dll/user/wechat/login?commodityType=1&isCef=true&channelNum=tessa&mac=00-1A-2B-3C-4D-5E")
    return reply["wechatLoginUrl"], reply["loginCode"]


def calls_after(browser, session, seconds):
    """The calls the page made, once one arrived and `seconds` more passed without another."""
    deadline = time.time() + 15
    calls = []
    while time.time() < deadline and not calls:
        calls = browser.evaluate(session, "window.calls") or []
        time.sleep(0.1)
    time.sleep(seconds)
    return browser.evaluate(session, "window.calls") or []


def demo_provider(browser, binary, files, work):
    server, base = start_server(binary, files, work, [])
    try:
        page_url, login_code = sign_in_page(base)
        session = browser.open_page()
        browser.navigate(session, page_url)
        browser.evaluate(session, RECORDER)
        check(browser.evaluate(session, "document.documentMode===undefined&&!!document.getElementById('approve')"),
              "demo: the page shows its approve button")
        browser.evaluate(session, "document.getElementById('approve').click()")
        calls = calls_after(browser, session, 1.5)
        check(len(calls) == 1, "demo: exactly one wxCallback call (%d)" % len(calls))
        if len(calls) != 1:
            return
        call = calls[0]
        check(len(call) == 3 and all(isinstance(a, str) for a in call), "demo: three strings %r" % (call,))
        check(call[1] == "1", "demo: commodityType 1")
        check(call[2] == login_code, "demo: loginCode is the page's own")
        query = urllib.parse.urlencode({"channelNum": "tessa", "mac": "00-1A-2B-3C-4D-5E", "code": call[0],
                                        "commodityType": call[1], "loginCode": call[2]})
        first = get_json(base + "/api/dll/user/getOpenId?" + query)
        check(first.get("code") == "200" and first["data"]["userToken"], "demo: the code signs in")
        try:
            again = get_json(base + "/api/dll/user/getOpenId?" + query)
        except urllib.error.HTTPError as error:
            again = json.loads(error.read())
        check(again.get("code") != "200", "demo: the same code does not sign in twice")

        # A bridge that arrives only after the callback page has run (an engine that installs
        # it once a document has loaded) still gets the one call.
        page_url, login_code = sign_in_page(base)
        session = browser.open_page()
        browser.navigate(session, page_url)
        browser.evaluate(session, "document.getElementById('approve').click()")
        time.sleep(0.8)
        browser.evaluate(session, RECORDER)
        calls = calls_after(browser, session, 1.5)
        check(len(calls) == 1 and calls[0][2] == login_code, "demo: a late bridge gets exactly one call %r" % (calls,))
    finally:
        server.terminate()
        server.wait()


class WeChatStandIn(http.server.BaseHTTPRequestHandler):
    """WeChat's QR connect page once the phone has confirmed: the frame goes to redirect_uri."""

    def log_message(self, *args):
        pass

    def do_GET(self):
        query = urllib.parse.parse_qs(urllib.parse.urlparse(self.path).query)
        target = query["redirect_uri"][0] + "?code=WXCODE123&state=" + query["state"][0]
        self.send_response(302)
        self.send_header("Location", target)
        self.send_header("Content-Length", "0")
        self.end_headers()


def wechat_provider(browser, binary, files, work):
    standin = http.server.ThreadingHTTPServer(("127.0.0.1", 0), WeChatStandIn)
    threading.Thread(target=standin.serve_forever, daemon=True).start()
    secret = os.path.join(work, "secret")
    with open(secret, "w") as f:
        f.write("S3CRET\n")
    server, base = start_server(binary, files, work, [
        "--provider", "wechat", "--wechat-appid", "wxTESTAPP", "--wechat-secret-file", secret,
        "--wechat-connect-base", "http://127.0.0.1:%d" % standin.server_address[1]])
    try:
        page_url, login_code = sign_in_page(base)
        session = browser.open_page()
        # The recorder goes in before the frame's redirect can land.
        browser.command("Page.addScriptToEvaluateOnNewDocument",
                        {"source": "if(window===window.top){" + RECORDER + "}"}, session=session)
        browser.navigate(session, page_url)
        calls = calls_after(browser, session, 1.5)
        check(calls == [["WXCODE123", "1", login_code]], "wechat: the frame's call reaches the top page %r" % (calls,))
        frame_has_own = browser.evaluate(
            session, "(function(){var f=document.getElementById('wxqr');"
                     "try{return typeof f.contentWindow.wxCallback;}catch(e){return 'cross-origin';}})()")
        check(frame_has_own == "undefined", "wechat: the frame had no wxCallback of its own (%s)" % frame_has_own)
    finally:
        server.terminate()
        server.wait()
        standin.shutdown()


def main():
    binary, files = sys.argv[1], sys.argv[2]
    chromium = find_chromium()
    if not chromium:
        print("no chromium here; skipped")
        return 77
    work = tempfile.mkdtemp(prefix="tessa-signin-pages-")
    browser = Chromium(chromium)
    try:
        demo_provider(browser, binary, files, work)
        wechat_provider(browser, binary, files, work)
    finally:
        browser.close()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
