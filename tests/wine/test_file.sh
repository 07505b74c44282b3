#!/usr/bin/env bash
# The two program files themselves: a 64-bit and a 32-bit GUI program whose version record says
# 1.00, each with an icon up to 256 pixels and a manifest that names Windows 7 to 11 and asks for
# DPI awareness in each one's form; importing system DLLs only (no libstdc++, libgcc or
# winpthread), and of them nothing a Windows 7 lacks: each imported function still compiles
# against <windows.h> declared for Windows 7 (mingw-w64 declares a function only from its
# Windows on). The 32-bit program's own code rounds nothing on the x87 unit. The installer is a
# 32-bit program, to run on every Windows, with a version record.
set -u
exe64=$1
exe32=$2
setup=$3
version=$4
for exe in "$exe64" "$exe32" "$setup"; do
  [ -f "$exe" ] || { echo "FAIL: no $exe: make windows builds it" >&2; exit 1; }
done
/usr/bin/python3 - "$exe64" "$exe32" "$setup" "$version" <<'PY'
import os
import re
import subprocess
import sys
import tempfile
import pefile

exe64, exe32, setup, version = sys.argv[1:5]
problems = []
system = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "winmm.dll", "advapi32.dll",
          "shell32.dll", "ole32.dll"}
windows_versions = ["35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                    "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"]


def check_version_record(pe, machine, problem):
    if pe.FILE_HEADER.Machine != pefile.MACHINE_TYPE[machine]:
        problem(f"not a {machine} program")
    if pe.OPTIONAL_HEADER.Subsystem != pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"]:
        problem("not a GUI program")
    strings = {}
    for info in getattr(pe, "FileInfo", []) or []:
        for entry in info:
            for table in getattr(entry, "StringTable", []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    for key, value in (("FileVersion", version), ("ProductVersion", version),
                       ("ProductName", "Tolvane Quenmark")):
        if strings.get(key) != value:
            problem(f"{key} is {strings.get(key)!r}, not {value!r}")


def check(exe, machine, gcc):
    def problem(text):
        problems.append(f"{os.path.basename(os.path.dirname(os.path.dirname(exe)))}: {text}")

    pe = pefile.PE(exe)
    check_version_record(pe, machine, problem)
    types = {entry.id: entry for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries}
    if pefile.RESOURCE_TYPE["RT_GROUP_ICON"] not in types:
        problem("no icon")
    else:
        group = types[pefile.RESOURCE_TYPE["RT_GROUP_ICON"]].directory.entries[0].directory.entries[0]
        data = pe.get_data(group.data.struct.OffsetToData, group.data.struct.Size)
        count = int.from_bytes(data[4:6], "little")
        widths = [data[6 + 14 * i] or 256 for i in range(count)]
        if max(widths) != 256 or min(widths) != 16:
            problem(f"the icon's sizes are {widths}")
    manifest_id = pefile.RESOURCE_TYPE["RT_MANIFEST"]
    if manifest_id not in types:
        problem("no manifest")
    else:
        leaf = types[manifest_id].directory.entries[0].directory.entries[0]
        text = pe.get_data(leaf.data.struct.OffsetToData, leaf.data.struct.Size).decode()
        for needed in ["PerMonitorV2", "true/pm"] + windows_versions:
            if needed not in text:
                problem(f"the manifest has no {needed}")
    imports = {entry.dll.decode().lower(): entry for entry in pe.DIRECTORY_ENTRY_IMPORT}
    foreign = [dll for dll in imports if dll not in system and not dll.startswith("api-ms-win-")]
    if foreign:
        problem(f"it imports {foreign}")
    # The C runtime's functions are msvcrt.dll's own, which every Windows has.
    names = sorted({imp.name.decode() for dll, entry in imports.items() if dll != "msvcrt.dll"
                    for imp in entry.imports if imp.name})
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "imports.c")
        with open(source, "w") as out:
            out.write("#define WINVER 0x0601\n#define _WIN32_WINNT 0x0601\n#include <windows.h>\n"
                      "#include <mmsystem.h>\nvoid *imported[] = {\n")
            out.writelines(f"  (void *)&{name},\n" for name in names)
            out.write("};\n")
        compiled = subprocess.run([gcc, "-c", "-o", os.path.join(work, "imports.o"), source],
                                  capture_output=True, text=True, env={**os.environ, "LC_ALL": "C"})
        if compiled.returncode != 0:
            missing = sorted({name for name in names if f"'{name}' undeclared" in compiled.stderr})
            problem(f"imports what Windows 7 lacks: {missing or compiled.stderr.strip()}")
    print(f"{exe}: {len(names)} functions of {sorted(imports)}, all on Windows 7")


check(exe64, "IMAGE_FILE_MACHINE_AMD64", "x86_64-w64-mingw32-gcc")
check(exe32, "IMAGE_FILE_MACHINE_I386", "i686-w64-mingw32-gcc")

# The 32-bit program does its double arithmetic in SSE2, as every other build: in its own code no
# x87 instruction that rounds (an 80-bit intermediate could move a pixel). Loads, stores, fabs and
# fchs are exact; doubles come back from functions on the x87 stack by the 32-bit convention.
listing = subprocess.run(["i686-w64-mingw32-objdump", "-d", "-C", "--no-show-raw-insn", exe32],
                         capture_output=True, text=True, check=True).stdout
rounding = re.compile(r"\sf(add|sub|subr|mul|div|divr|sqrt|sin|cos|sincos|patan|ptan|prem1?|scale|"
                      r"rndint|iadd|isub|isubr|imul|idiv|idivr)p?\s")
function, ours, x87 = None, 0, {}
for line in listing.splitlines():
    start = re.match(r"^[0-9a-f]+ <(.*)>:$", line)
    if start:
        function = start.group(1)
        ours += function.startswith("drelm::")
    elif function and function.startswith("drelm::") and rounding.search(line):
        x87.setdefault(function, line.split("\t")[-1].strip())
if ours == 0:
    problems.append("the 32-bit program has no symbols of its own code to look into")
elif x87:
    problems.append(f"the 32-bit program rounds on the x87 unit: {sorted(x87.items())[:3]}")
else:
    print(f"{exe32}: {ours} functions of its own, none rounding on the x87 unit")
check_version_record(pefile.PE(setup), "IMAGE_FILE_MACHINE_I386",
                     lambda text: problems.append(f"the installer: {text}"))
for problem in problems:
    print("FAIL:", problem, file=sys.stderr)
sys.exit(1 if problems else 0)
PY
