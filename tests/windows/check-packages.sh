#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks the Windows packages that `cpack` made in a MinGW cross build folder (the argument):
# - the zip's exact file list, and that every DLL a shipped file needs is shipped or part of
#   Windows;
# - the notices: the program's licence, the text on what the packages bundle and where its
#   source is, Qt's LGPL, the MinGW runtime's licences, and a notice for each third-party part
#   found in the Qt DLLs; as Notepad reads them;
# - the program's icon, version and makers, its manifest (no elevation, Windows 10 and 11,
#   per-monitor DPI awareness v2) and the Windows version its header asks for; the installer's
#   own manifest (no elevation, Windows 10 and 11, DPI awareness), its header's subsystem, its
#   branding line, its licence page and its finish page;
# - in a private Wine under the build folder, on a private virtual display, the installer as a
#   player meets it: on Windows 8.1 it refuses, silently and with a box, before any page; a
#   silent install into a folder with a Chinese name, its one Start-menu shortcut and its
#   Add/Remove Programs entry with the value types Windows expects; a silent install again,
#   which goes into the same folder and leaves nothing behind; a silent downgrade, refused
#   unless allowed; the installed program started with no other Qt on any path; while it runs,
#   the registered quiet uninstall and a silent install that both fail and change nothing; an
#   upgrade cancelled on its second page, which leaves the installed version as it was; an
#   upgrade into another folder, which removes the first one; an upgrade and an uninstall with a
#   file of the player's in platforms\, which stays; and the registered quiet uninstall, which
#   returns when nothing is left, and keeps the player's price tables.
# Prints PASS/FAIL lines and exits non-zero on any failure. Needs what
# `scripts/install-deps windows` installs.
set -euo pipefail
build=$(realpath "$1")
here=$(dirname "$(realpath "$0")")

source "$here/wine-session.sh"
export WINEPREFIX=$build/wine-packages

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
makers=$(sed -n 's/^set(CPACK_PACKAGE_VENDOR "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
address=$(sed -n 's/^set(CPACK_NSIS_URL_INFO_ABOUT "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
package=ormek-calculator-$version-win64
zip=$build/$package.zip
installer=$build/$package.exe
app=Ormek商人计算器
# The first install, and the other folder of an upgrade, both with Chinese names, the other
# with blanks. The installer takes /D=... only unquoted, and Wine quotes an argument with a
# blank: given word by word, the folder reaches the installer as one would type it.
first_folder=C:\\$app
other_folder='C:\我的 游戏\商人 计算器'
read -r -a to_other_folder <<<"/D=$other_folder"
drive_c=$WINEPREFIX/drive_c
uninstall_key="HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$app"
machine_uninstall_key="HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$app"
settings_key='HKEY_CURRENT_USER\Software\VB and VBA Program Settings'

scratch=$session_scratch
program=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null
    end_session
}
trap cleanup EXIT

status=0
pass() { echo "PASS: $*"; }
fail() {
    echo "FAIL: $*"
    status=1
}

for file in "$zip" "$installer"; do
    [ -f "$file" ] || { echo "FAIL: no $file (run cpack -G ZIP and -G NSIS in $build)"; exit 1; }
done

# The zip: the program, Qt with its Chinese texts, the MinGW runtime and the notices, and nothing
# else.
expected_files="LICENSE.txt
NOTICE.txt
Qt6Core.dll
Qt6Gui.dll
Qt6Widgets.dll
libgcc_s_seh-1.dll
libstdc++-6.dll
libwinpthread-1.dll
licenses/LGPL-3.0.txt
licenses/mingw-w64-runtime.txt
licenses/qt-third-party.txt
licenses/qt-translations.txt
ormek-calculator.exe
platforms/qwindows.dll
qtbase_zh_CN.qm
styles/qwindowsvistastyle.dll"
zip_files=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
if [ "$zip_files" = "$(sed "s|^|$package/|" <<<"$expected_files" | sort)" ]; then
    pass "$(basename "$zip") holds exactly $(wc -l <<<"$zip_files") files under $package/"
else
    fail "$(basename "$zip") holds other files:"
    { diff <(sed "s|^|$package/|" <<<"$expected_files" | sort) <(echo "$zip_files") || true; } \
        | sed 's/^/    /'
fi
unzip -q "$zip" -d "$scratch/zip"
unpacked=$scratch/zip/$package
exe=$unpacked/ormek-calculator.exe

# The notices. Each text, with the lines it must hold.
notice_texts=(
    "LICENSE.txt|GNU GENERAL PUBLIC LICENSE|Version 3, 29 June 2007"
    "licenses/LGPL-3.0.txt|GNU LESSER GENERAL PUBLIC LICENSE|Version 3, 29 June 2007"
    "NOTICE.txt|是自由软件|GNU General Public License|qt6-base|6.4.2+dfsg-10|scripts/qt-windows/|https://example.com/ormek/"
    "licenses/mingw-w64-runtime.txt|GCC RUNTIME LIBRARY EXCEPTION|winpthreads|mingw-w64-crt"
)
for row in "${notice_texts[@]}"; do
    IFS='|' read -r -a wanted <<<"$row"
    file=$unpacked/${wanted[0]}
    text=$(tr -d '\r' 2>/dev/null <"$file" || true)
    missing=""
    for line in "${wanted[@]:1}"; do
        grep -qF -- "$line" <<<"$text" || missing+=" \"$line\""
    done
    if [ -z "$missing" ]; then
        pass "${wanted[0]} holds$(printf ' "%s"' "${wanted[@]:1}")"
    else
        fail "${wanted[0]} lacks$missing"
    fi
done
# NOTICE.txt names each licence file, and each file it names is there.
named=$(grep -o 'licenses\\[A-Za-z0-9.-]*\.txt' "$unpacked/NOTICE.txt" 2>/dev/null | tr '\\' / | sort -u || true)
present=$(cd "$unpacked" && find licenses -type f 2>/dev/null | sort || true)
if [ "$named" = "$present" ]; then
    pass "NOTICE.txt names the licence files there are: $(tr '\n' ' ' <<<"$present")"
else
    fail "NOTICE.txt names $(tr '\n' ' ' <<<"$named"), but licenses\\ holds $(tr '\n' ' ' <<<"$present")"
fi
# The third-party code in the Qt DLLs, found by a text of its own: each has its notice. A Qt
# built otherwise, with a part more, fails here until the notice names it too.
bundled_parts=(
    "Qt6Core.dll|deflate 1.2|Data Compression Library (zlib)"
    "Qt6Core.dll|PCRE2_|PCRE2 10."
    "Qt6Core.dll|JIT stack limit reached|PCRE2 - Stack-less Just-In-Time Compiler"
    "Qt6Core.dll|BLAKE2|BLAKE2"
    "Qt6Core.dll|Keccak|Keccak"
    "Qt6Gui.dll|libpng version|LibPNG"
    "Qt6Gui.dll|FREETYPE_PROPERTIES|Freetype 2"
    "Qt6Gui.dll|harfbuzz|HarfBuzz"
    "Qt6Gui.dll|International Color Consortium|sRGB"
    "Qt6Gui.dll|Not a JPEG file|libjpeg"
)
third_party=$(tr -d '\r' 2>/dev/null <"$unpacked/licenses/qt-third-party.txt" || true)
missing=""
for row in "${bundled_parts[@]}"; do
    IFS='|' read -r dll found name <<<"$row"
    if strings -a "$unpacked/$dll" | grep -qF -- "$found" && ! grep -qF -- "$name" <<<"$third_party"; then
        missing+=" $name (in $dll)"
    fi
done
if [ -z "$missing" ]; then
    pass "licenses/qt-third-party.txt has a notice for each third-party part found in the Qt DLLs"
else
    fail "licenses/qt-third-party.txt lacks a notice for:$missing"
fi
# As Notepad reads them best: UTF-8 with a byte order mark, CR LF line ends.
malformed=""
for file in $(cd "$unpacked" && find . -name '*.txt' | sort); do
    [ "$(head -c 3 "$unpacked/$file" | od -An -tx1 | tr -d ' ')" = efbbbf ] || malformed+=" $file:no-BOM"
    grep -qv $'\r$' "$unpacked/$file" && malformed+=" $file:LF"
done
if [ -z "$malformed" ]; then
    pass "the notices are UTF-8 with a byte order mark and CR LF line ends"
else
    fail "notices not as Notepad reads them:$malformed"
fi

# The version resource, read back: windres took the UTF-8 .rc as UTF-8.
strings=$(wrestool -x --raw -t 16 "$exe" | python3 "$here/version-strings.py")
for wanted in "ProductName=$app" "FileVersion=$version" "ProductVersion=$version" \
    "CompanyName=$makers"; do
    if grep -qxF "$wanted" <<<"$strings"; then
        pass "version resource: $wanted"
    else
        fail "version resource lacks $wanted; it holds: $(tr '\n' ' ' <<<"$strings")"
    fi
done
wrestool -x -t 14 "$exe" >"$scratch/icon.ico"
icon_sizes=$(icotool -l "$scratch/icon.ico" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | xargs)
if [ "$icon_sizes" = "16 24 32 48 64 128 256" ]; then
    pass "icon resource: $icon_sizes px"
else
    fail "icon resource sizes: '$icon_sizes'"
fi

# What a program asks of Windows: its manifest says so, and its header names the Windows version
# below which Windows refuses to start it, and that it is a GUI program.
check_windows_wishes() {
    local what=$1 file=$2 wanted_subsystem=$3 manifest header subsystem wanted
    shift 3
    manifest=$(wrestool -x --raw -t 24 "$file" | tr -s ' \n' ' ')
    for wanted in "$@"; do
        if grep -qF "$wanted" <<<"$manifest"; then
            pass "$what's manifest: $wanted"
        else
            fail "$what's manifest lacks $wanted: $manifest"
        fi
    done
    header=$(x86_64-w64-mingw32-objdump -p "$file")
    subsystem=$(awk '$1 == "MajorSubsystemVersion" { major = $2 } $1 == "MinorSubsystemVersion" {
        minor = $2 } END { print major "." minor }' <<<"$header")
    if [ "$subsystem" = "$wanted_subsystem" ] && grep -q '^Subsystem.*(Windows GUI)' <<<"$header"; then
        pass "$what is a Windows GUI program of subsystem version $subsystem"
    else
        fail "$what's subsystem: $(grep '^Subsystem' <<<"$header"), version $subsystem"
    fi
}
# The program: no elevation, Windows 10 and 11, per-monitor DPI awareness v2, and an older
# Windows refuses it at once.
check_windows_wishes "the program" "$exe" 10.0 'requestedExecutionLevel level="asInvoker"' \
    'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"' '>PerMonitorV2</dpiAwareness>'
# The installer: no elevation, Windows 10 and 11 (whose version it then reads as it is), sharp
# on a high-DPI screen; an older Windows still starts it, to be told why it stops, with the
# window metrics of Vista and later.
check_windows_wishes "the installer" "$installer" 6.0 'requestedExecutionLevel level="asInvoker"' \
    'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"' '>true</dpiAware>'
installer_strings=$(python3 "$here/installer-strings.py" "$installer")
if grep -qxF "$app $version" <<<"$installer_strings" \
    && ! grep -q 'Nullsoft Install System' <<<"$installer_strings"; then
    pass "the installer's branding line reads \"$app $version\""
else
    fail "the installer's branding line: $(grep -e "^$app [0-9]" -e Nullsoft <<<"$installer_strings")"
fi
# Its licence page shows the notice and the program's licence; no target has a \.\ in it.
if grep -qF '6.4.2+dfsg-10' <<<"$installer_strings" \
    && grep -qF 'GNU GENERAL PUBLIC LICENSE' <<<"$installer_strings"; then
    pass "the installer's licence page shows NOTICE.txt and the GPL"
else
    fail "the installer shows no licence page with NOTICE.txt and the GPL"
fi
if grep -qF '\.\' <<<"$installer_strings"; then
    fail "the installer names a path with \\.\\ in it: $(grep -F '\.\' <<<"$installer_strings" | head -n 3)"
else
    pass "no path of the installer's has a \\.\\ in it (finish page, shortcut)"
fi

# A private Wine for the installer, booted once and reused; earlier runs' leftovers go first.
# All of its processes see one private virtual display from the start: Wine's desktop process
# keeps the display it started with, and the program's platform plugin needs one.
start_display
use_wine_prefix "$WINEPREFIX"
# Wine 8 makes a new prefix as Windows 7.
winecfg -v win10
unix_path() { echo "$drive_c/$(sed 's|^C:\\||; s|\\|/|g' <<<"$1")"; }
first=$(unix_path "$first_folder")
other=$(unix_path "$other_folder")
default=$drive_c/users/$(id -un)/AppData/Local/Programs/$app
start_menu=$drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs
shortcut=$start_menu/$app.lnk
rm -rf "$first" "$(dirname "$other")" "$default" "$start_menu/$app" "$shortcut"
system32=$drive_c/windows/system32

# Every DLL that a shipped file loads is shipped beside it, or comes with Windows.
shipped=$(cd "$unpacked" && find . -type f -printf '%f\n' | tr 'A-Z' 'a-z')
unresolved=""
while IFS= read -r file; do
    for dll in $(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
        lower=$(tr 'A-Z' 'a-z' <<<"$dll")
        grep -qxF "$lower" <<<"$shipped" && continue
        [[ $lower == api-ms-win-* ]] && continue
        [ -n "$(find "$system32" -maxdepth 1 -iname "$dll" -print -quit)" ] && continue
        unresolved+=" ${file#"$unpacked"/}:$dll"
    done
done < <(find "$unpacked" -type f -iname '*.dll' -o -type f -iname '*.exe')
if [ -z "$unresolved" ]; then
    pass "every DLL that the shipped files need is shipped or part of Windows"
else
    fail "DLLs neither shipped nor part of Windows:$unresolved"
fi

# Imports the registry file, without its first line, that comes on the standard input.
import_registry() {
    { printf 'Windows Registry Editor Version 5.00\r\n\r\n'; cat; } \
        | iconv -f UTF-8 -t UTF-16 >"$scratch/import.reg"
    wine reg import "$(wine_path "$scratch")\\import.reg" >/dev/null 2>&1
}

# The price tables of a player who has used the program before (so no first-run greeting),
# in place of whatever an earlier run left.
{
    printf '[-%s]\r\n\r\n[-%s]\r\n\r\n' "$uninstall_key" "$machine_uninstall_key"
    printf '[-%s\\%s]\r\n\r\n' "$settings_key" "$app"
    printf '[%s\\%s\\使用次数]\r\n"N"="1"\r\n\r\n' "$settings_key" "$app"
    printf '[%s\\%s\\物品名称及价格储存]\r\n"a1"="金币"\r\n"b1"="1000"\r\n' "$settings_key" "$app"
} | import_registry

expected_installed=$(printf '%s\nUninstall-wait.exe\nUninstall.exe\n' "$expected_files" | sort)
files_in() { (cd "$1" 2>/dev/null && find . -type f | sed 's|^\./||' | sort); }
# Whether the program is installed whole in the folder (Windows path) given, with its shortcut
# and its entry; says what is missing or left over otherwise. The player's own files there, as
# the second argument names them, are left out.
installed_in() {
    local folder=$1 players=${2:-} files entry
    files=$(files_in "$(unix_path "$folder")" | grep -vxF -e "$players" || true)
    entry=$(registry "$uninstall_key")
    if [ "$files" != "$expected_installed" ]; then
        echo "files in $folder: $(tr '\n' ' ' <<<"$files")"
    elif ! grep -qxF "\"InstallLocation\"=\"${folder//\\/\\\\}\"" <<<"$entry"; then
        echo "Add/Remove Programs entry: $(tr '\n' ' ' <<<"$entry")"
    elif [ ! -f "$shortcut" ]; then
        echo "no Start-menu shortcut $shortcut"
    fi
}
# Runs a program of the prefix, which is to succeed or to end with the exit code given (2: the
# program runs; 3: a newer version is installed), and checks that the program is installed
# whole in the folder given afterwards. A silent run that waits for an answer all the same is
# ended after two minutes.
expect_installed() {
    local outcome=$1 folder=$2 what=$3 code=0 expected_code=0 problem
    shift 3
    [ "$outcome" = fails ] && expected_code=2
    [[ $outcome == exit-* ]] && expected_code=${outcome#exit-}
    timeout 120 wine "$@" >/dev/null 2>&1 || code=$?
    problem=$(installed_in "$folder" "${players_file:-}")
    [ "$code" -eq "$expected_code" ] || problem="exit $code; $problem"
    if [ -z "$problem" ]; then
        pass "$what ends with exit code $code, and the program is installed whole in $folder"
    else
        fail "$what: $problem"
    fi
}
# Runs the quiet uninstall command that the Add/Remove Programs entry names, as a package
# manager does, and waits for it; prints nothing, returns its exit code.
quiet_uninstall() {
    local command executable arguments
    command=$(registry "$uninstall_key" | sed -n 's/^"QuietUninstallString"="\(.*\)"$/\1/p' \
        | sed 's/\\"/"/g; s/\\\\/\\/g')
    [[ $command =~ ^\"([^\"]+)\"(.*)$ ]] || return 127
    executable=${BASH_REMATCH[1]}
    read -r -a arguments <<<"${BASH_REMATCH[2]}"
    timeout 120 wine "$executable" "${arguments[@]}" >/dev/null 2>&1
}

# On Windows 8.1, where the program cannot start, the installer refuses before any page:
# silently with exit code 4, and with a box whose one button ends it.
winecfg -v win81
code=0
timeout 120 wine "$installer" /S "/D=$first_folder" >/dev/null 2>&1 || code=$?
if [ "$code" -eq 4 ] && [ ! -e "$first" ] && [ -z "$(registry "$uninstall_key")" ]; then
    pass "on Windows 8.1 the silent installer refuses (exit $code) and changes nothing"
else
    fail "on Windows 8.1 the silent installer ended with $code and made: $(find "$first" 2>/dev/null | tr '\n' ' ')"
fi
(cd "$scratch" && exec wine "$installer" >/dev/null 2>&1) &
program=$!
window=$(wait_for_window "$app 安装" 20 "$program")
[ -n "$window" ] && xdotool windowfocus --sync "$window" key Return
for _ in $(seq 40); do kill -0 "$program" 2>/dev/null || break; sleep 0.25; done
code=0
if kill -0 "$program" 2>/dev/null; then
    kill "$program"
    code=running
fi
wait "$program" 2>/dev/null || code=$?
program=""
if [ -n "$window" ] && [ "$code" = 4 ] && [ ! -e "$first" ]; then
    pass "on Windows 8.1 the installer says why it stops in a box, before any page (exit $code)"
else
    fail "on Windows 8.1 the installer showed $([ -n "$window" ] && echo "a window that did not end it (exit $code)" || echo "no box")"
fi
winecfg -v win10

# An earlier install for all users, which only an administrator may remove, stops the installer.
printf '[%s]\r\n"UninstallString"="C:\\\\Program Files\\\\%s\\\\Uninstall.exe"\r\n' \
    "$machine_uninstall_key" "$app" | import_registry
code=0
timeout 120 wine "$installer" /S "/D=$first_folder" >/dev/null 2>&1 || code=$?
if [ "$code" -eq 2 ] && [ ! -e "$first" ]; then
    pass "an earlier install for all users stops the installer (exit $code) before it changes anything"
else
    fail "with an earlier install for all users, the installer ended with $code and made: $(find "$first" 2>/dev/null | tr '\n' ' ')"
fi
printf '[-%s]\r\n' "$machine_uninstall_key" | import_registry

expect_installed succeeds "$first_folder" "a silent install into a folder with a Chinese name" \
    "$installer" /S "/D=$first_folder"
# One shortcut at the top of the Start menu, to the program as the folder names it: in UTF-16
# or in the ANSI code page, the shortcut holds its path, with no \.\ in it.
if python3 -c 'import sys
data = open(sys.argv[1], "rb").read()
texts = (data.decode("latin-1"), data.decode("utf-16-le", "replace"), data[1:].decode("utf-16-le", "replace"))
sys.exit(not any("\\ormek-calculator.exe" in t for t in texts) or any("\\.\\" in t for t in texts))' \
    "$shortcut" 2>/dev/null && [ "$(find "$start_menu" -name "*$app*" -o -name '卸载*')" = "$shortcut" ]; then
    pass "one Start-menu shortcut, ${shortcut#"$drive_c"/}, to ...\\ormek-calculator.exe"
else
    fail "Start-menu shortcuts: $(find "$start_menu" -name "*$app*" -o -name '卸载*' | tr '\n' ' ')"
fi
# The installed folder holds the notices of the zip.
differing=""
for file in $(cd "$unpacked" && find . -name '*.txt' | sed 's|^\./||'); do
    cmp -s "$unpacked/$file" "$first/$file" || differing+=" $file"
done
if [ -z "$differing" ]; then
    pass "the installed folder holds the notices of the zip"
else
    fail "the installed folder's notices differ from the zip's:$differing"
fi
# Only Windows' own DLLs for the quiet uninstall command, which runs while its folder is emptied.
imports=$(x86_64-w64-mingw32-objdump -p "$first/Uninstall-wait.exe" 2>/dev/null \
    | sed -n 's/^\s*DLL Name: //p' || true)
foreign=""
for dll in $imports; do
    [ -n "$(find "$system32" -maxdepth 1 -iname "$dll" -print -quit)" ] || foreign+=" $dll"
    [ -e "$first/$dll" ] && foreign+=" $dll"
done
if [ -n "$imports" ] && [ -z "$foreign" ]; then
    pass "Uninstall-wait.exe loads only Windows' own DLLs: $(tr '\n' ' ' <<<"$imports")"
else
    fail "Uninstall-wait.exe loads DLLs that are not Windows' own:$foreign"
fi

# The entry's values, of the types that Windows reads them as.
entry=$(registry "$uninstall_key")
size_kb=$(du -sk --apparent-size "$first" | cut -f1)
wanted_values=(
    "\"DisplayName\"=\"$app\""
    "\"DisplayVersion\"=\"$version\""
    "\"Publisher\"=\"$makers\""
    "\"URLInfoAbout\"=\"$address\""
    "\"InstallLocation\"=\"${first_folder//\\/\\\\}\""
    "\"UninstallString\"=\"\\\"${first_folder//\\/\\\\}\\\\Uninstall.exe\\\"\""
    "\"QuietUninstallString\"=\"\\\"${first_folder//\\/\\\\}\\\\Uninstall-wait.exe\\\" /S\""
    '"NoModify"=dword:00000001'
    '"NoRepair"=dword:00000001'
)
missing=""
for wanted in "${wanted_values[@]}"; do
    grep -qxF "$wanted" <<<"$entry" || missing+=" $wanted"
done
estimated=$(sed -n 's/^"EstimatedSize"=dword:\([0-9a-f]*\)$/\1/p' <<<"$entry")
if [ -z "$estimated" ] || [ $((16#$estimated * 10)) -lt $((size_kb * 9)) ] \
    || [ $((16#$estimated * 10)) -gt $((size_kb * 11)) ]; then
    missing+=" EstimatedSize near $size_kb KB as a DWORD"
fi
if [ -z "$missing" ]; then
    pass "the Add/Remove Programs entry: names, folder and address as strings, sizes and flags as DWORDs"
else
    fail "the Add/Remove Programs entry lacks$missing; it holds: $(tr '\n' ' ' <<<"$entry")"
fi

# Installed again, with no folder given: into the same folder, with nothing left elsewhere.
expect_installed succeeds "$first_folder" "installing again, with no folder given" "$installer" /S
[ -e "$default" ] && fail "installing again made $default"

# Over a newer version, a silent install changes nothing and ends with exit code 3, unless
# /ALLOWDOWNGRADE allows it.
printf '[%s]\r\n"DisplayVersion"="99.0"\r\n' "$uninstall_key" | import_registry
expect_installed exit-3 "$first_folder" "a silent install over version 99.0" "$installer" /S
if grep -qxF '"DisplayVersion"="99.0"' <<<"$(registry "$uninstall_key")"; then
    pass "the silent install over version 99.0 left its entry as it was"
else
    fail "the silent install over version 99.0 changed its entry: $(registry "$uninstall_key" | grep DisplayVersion)"
fi
expect_installed succeeds "$first_folder" "a silent install over version 99.0 with /ALLOWDOWNGRADE" \
    "$installer" /S /ALLOWDOWNGRADE
grep -qxF "\"DisplayVersion\"=\"$version\"" <<<"$(registry "$uninstall_key")" \
    || fail "after the allowed downgrade the entry names $(registry "$uninstall_key" | grep DisplayVersion)"

# The installed program starts with only what was installed, and shows its window.
(cd "$scratch" && exec wine "$first_folder\\ormek-calculator.exe" >/dev/null 2>&1) &
program=$!
window=$(wait_for_window "$app" 20 "$program")
if [ -n "$window" ] && kill -0 "$program" 2>/dev/null; then
    pass "the installed program runs and shows its window \"$app\""
else
    fail "the installed program showed no window \"$app\""
fi

# While it runs, neither the uninstaller nor the installer goes on, and the quiet uninstall
# command says so when it returns.
code=0
quiet_uninstall || code=$?
problem=$(installed_in "$first_folder")
if [ "$code" -eq 2 ] && [ -z "$problem" ]; then
    pass "the registered quiet uninstall, while the program runs, ends with exit code 2 and changes nothing"
else
    fail "the registered quiet uninstall, while the program runs: exit $code; $problem"
fi
expect_installed fails "$first_folder" "installing while the program runs" "$installer" /S
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
program=""

# An upgrade cancelled on the folder page, as a player does: Enter on the welcome page, then
# the window's close button, and Enter on the question whether to quit.
(cd "$scratch" && exec wine "$installer" >/dev/null 2>&1) &
program=$!
caption="$app 安装"
window=$(wait_for_window "$caption" 20 "$program")
if [ -n "$window" ]; then
    xdotool windowfocus --sync "$window" key Return
    sleep 1
    /usr/bin/python3 "$here/close-window.py" "$window"
    question=""
    for _ in $(seq 40); do
        question=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | grep -vx "$window" | head -n 1) && [ -n "$question" ] && break
        sleep 0.25
    done
    [ -n "$question" ] && xdotool windowfocus --sync "$question" key Return
fi
for _ in $(seq 40); do kill -0 "$program" 2>/dev/null || break; sleep 0.25; done
if kill -0 "$program" 2>/dev/null; then
    fail "the installer did not end when cancelled"
    kill "$program"
fi
wait "$program" 2>/dev/null || true
program=""
problem=$(installed_in "$first_folder")
if [ -n "$window" ] && [ -z "$problem" ]; then
    pass "an upgrade cancelled on its second page leaves the installed version as it was"
else
    fail "an upgrade cancelled on its second page: ${problem:-no window \"$caption\"}"
fi

# An upgrade into a folder that takes no files keeps the installed version: one in Linux's
# /proc, where not even root may make one. (NSIS itself takes its default folder for a /D=
# that is a file, or that lies beneath one.)
expect_installed fails "$first_folder" "an upgrade into a folder that takes no files" \
    "$installer" /S '/D=Z:\proc\商人工具'

# An upgrade into another folder removes the first.
expect_installed succeeds "$other_folder" "an upgrade into another folder" \
    "$installer" /S "${to_other_folder[@]}"
if [ -e "$first" ]; then
    fail "the upgrade into $other_folder left $(find "$first" | tr '\n' ' ')"
else
    pass "the upgrade into $other_folder removed $first_folder"
fi

# A file of the player's in platforms\ stays through an upgrade and an uninstall, which remove
# only the installer's own files and keep the folders that hold it.
players_file=platforms/说明.txt
echo "摊位的说明" >"$other/$players_file"
expect_installed succeeds "$other_folder" "an upgrade with a file of the player's in platforms\\" \
    "$installer" /S
code=0
quiet_uninstall || code=$?
left=$(files_in "$other")
if [ "$code" -eq 0 ] && [ "$left" = "$players_file" ] && [ "$(cat "$other/$players_file")" = 摊位的说明 ] \
    && [ ! -e "$shortcut" ] && [ -z "$(registry "$uninstall_key")" ]; then
    pass "the quiet uninstall then ends with 0 and leaves only the player's $players_file"
else
    fail "the quiet uninstall with a file of the player's: exit $code, left $(tr '\n' ' ' <<<"$left")${shortcut:+ }$(ls "$shortcut" 2>/dev/null)"
fi
players_file=""
rm -rf "$other"

# The registered quiet uninstall returns once the program is gone, with nothing left.
expect_installed succeeds "$other_folder" "installing again" "$installer" /S "${to_other_folder[@]}"
code=0
quiet_uninstall || code=$?
if [ "$code" -eq 0 ] && [ ! -e "$other" ] && [ ! -e "$shortcut" ]; then
    pass "the registered quiet uninstall ends with 0 once $other_folder and the shortcut are gone"
else
    fail "the registered quiet uninstall ended with $code and left: $(find "$other" "$shortcut" 2>/dev/null | tr '\n' ' ')"
fi
if [ -z "$(registry "$uninstall_key")" ]; then
    pass "Add/Remove Programs no longer lists $app"
else
    fail "Add/Remove Programs still lists $app"
fi
tables=$(registry "$settings_key")
if grep -qxF '"a1"="金币"' <<<"$tables" && grep -qxF '"b1"="1000"' <<<"$tables"; then
    pass "the price tables in $settings_key\\$app are kept"
else
    fail "the price tables are gone from $settings_key\\$app"
fi

# Let this prefix's Wine end before the folder may go.
wineserver --wait
exit $status
