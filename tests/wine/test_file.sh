#!/usr/bin/env bash
# The program file itself: a 64-bit GUI program whose version record says 1.00, with an icon up
# to 256 pixels, a manifest asking for per-monitor DPI awareness (PerMonitorV2), and imports of
# system DLLs only (no libstdc++, libgcc or winpthread).
set -u
exe=$1
version=$2
[ -f "$exe" ] || { echo "FAIL: no $exe: make windows builds it" >&2; exit 1; }
/usr/bin/python3 - "$exe" "$version" <<'PY'
import sys
import pefile

exe, version = sys.argv[1], sys.argv[2]
pe = pefile.PE(exe)
problems = []
if pe.FILE_HEADER.Machine != pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"]:
    problems.append("not a 64-bit program")
if pe.OPTIONAL_HEADER.Subsystem != pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"]:
    problems.append("not a GUI program")
strings = {}
for info in getattr(pe, "FileInfo", []) or []:
    for entry in info:
        for table in getattr(entry, "StringTable", []):
            strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
for key in ("FileVersion", "ProductVersion"):
    if strings.get(key) != version:
        problems.append(f"{key} is {strings.get(key)!r}, not {version!r}")
types = {entry.id: entry for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries}
if pefile.RESOURCE_TYPE["RT_GROUP_ICON"] not in types:
    problems.append("no icon")
else:
    group = types[pefile.RESOURCE_TYPE["RT_GROUP_ICON"]].directory.entries[0].directory.entries[0]
    data = pe.get_data(group.data.struct.OffsetToData, group.data.struct.Size)
    count = int.from_bytes(data[4:6], "little")
    widths = [data[6 + 14 * i] or 256 for i in range(count)]
    if max(widths) != 256 or min(widths) != 16:
        problems.append(f"the icon's sizes are {widths}")
manifest_id = pefile.RESOURCE_TYPE["RT_MANIFEST"]
if manifest_id not in types:
    problems.append("no manifest")
else:
    leaf = types[manifest_id].directory.entries[0].directory.entries[0]
    text = pe.get_data(leaf.data.struct.OffsetToData, leaf.data.struct.Size).decode()
    if "PerMonitorV2" not in text:
        problems.append("the manifest does not ask for PerMonitorV2")
system = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "winmm.dll", "advapi32.dll",
          "shell32.dll", "ole32.dll"}
imports = [entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT]
foreign = [dll for dll in imports if dll not in system and not dll.startswith("api-ms-win-")]
if foreign:
    problems.append(f"it imports {foreign}")
for problem in problems:
    print("FAIL:", problem, file=sys.stderr)
sys.exit(1 if problems else 0)
PY
