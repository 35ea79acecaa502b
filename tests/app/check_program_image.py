"""Checks the program's image: a GUI program of the build's architecture (i686 for the shipped
one) that asks for administrator rights, carries its version and icon, and imports only DLLs
that every Windows has.

    check_program_image.py OBJDUMP EXE [i686|x86_64]
"""
import re
import subprocess
import sys

SYSTEM_DLLS = {
    "advapi32.dll", "bcrypt.dll", "comctl32.dll", "comdlg32.dll", "crypt32.dll", "gdi32.dll",
    "gdiplus.dll", "imm32.dll", "iphlpapi.dll", "kernel32.dll", "msimg32.dll", "msvcrt.dll",
    "normaliz.dll", "ole32.dll", "oleaut32.dll", "secur32.dll", "shell32.dll", "shlwapi.dll",
    "urlmon.dll", "user32.dll", "uxtheme.dll", "version.dll", "winhttp.dll", "wininet.dll",
    "winmm.dll", "wintrust.dll", "ws2_32.dll", "wldap32.dll", "dwmapi.dll",
}

objdump, exe = sys.argv[1:3]
arch = sys.argv[3] if len(sys.argv) > 3 else "i686"
IMAGE_FORMATS = {"i686": ("pei-i386", "PE32 image for i386"),
                 "x86_64": ("pei-x86-64", "PE32+ image for x86-64")}
headers = subprocess.run([objdump, "-p", exe], capture_output=True, text=True, check=True).stdout
image = open(exe, "rb").read()
failures = []

image_format, image_kind = IMAGE_FORMATS[arch]
if "file format " + image_format not in headers:
    failures.append("not a " + image_kind)
if not re.search(r"^Subsystem\s+00000002", headers, re.M):
    failures.append("not a GUI subsystem program")
imports = {name.lower() for name in re.findall(r"DLL Name: (\S+)", headers)}
foreign = sorted(imports - SYSTEM_DLLS)
if foreign:
    failures.append("imports DLLs that Windows does not have: " + ", ".join(foreign))
if b'level="requireAdministrator"' not in image:
    failures.append("the manifest does not ask for administrator rights")
if "FileVersion".encode("utf-16-le") not in image or "1.0.0.0".encode("utf-16-le") not in image:
    failures.append("no version resource 1.0.0.0")
if not re.search(r"^\s*\S+\s+\.rsrc\b", subprocess.run([objdump, "-h", exe], capture_output=True,
                                                      text=True, check=True).stdout, re.M):
    failures.append("no resource section")

for failure in failures:
    print("FAIL:", failure)
print("imports:", ", ".join(sorted(imports)))
sys.exit(1 if failures else 0)
