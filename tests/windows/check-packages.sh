#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks the Windows packages that `cpack` made in a MinGW cross build folder (the argument):
# - the zip's exact file list, and that every DLL a shipped file needs is shipped or part of
#   Windows;
# - the program's icon, version and makers, its manifest (no elevation, Windows 10 and 11,
#   per-monitor DPI awareness v2) and the Windows version its header asks for; the installer's
#   own manifest (no elevation) and its branding line;
# - in a private Wine under the build folder, on a private virtual display, the installer as a
#   player meets it: a silent install into a folder with a Chinese name, its shortcut and its
#   Add/Remove Programs entry with the value types Windows expects; a silent install again,
#   which goes into the same folder and leaves nothing behind; the installed program started
#   with no other Qt on any path; while it runs, a silent uninstall and a silent install that
#   both fail and change nothing; an upgrade cancelled on its second page, which leaves the
#   installed version as it was; an upgrade into another folder, which removes the first one;
#   and a silent uninstall that removes the program and keeps the player's price tables.
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
# The first install, and the other folder of an upgrade, both with Chinese names. (No blank:
# Wine would quote the argument /D=..., which the installer takes only unquoted.)
first_folder=C:\\$app
other_folder='C:\商人工具'
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

# The zip: the program, Qt with its Chinese texts and the MinGW runtime, and nothing else.
expected_files="Qt6Core.dll
Qt6Gui.dll
Qt6Widgets.dll
libgcc_s_seh-1.dll
libstdc++-6.dll
libwinpthread-1.dll
ormek-calculator.exe
platforms/qwindows.dll
qtbase_zh_CN.qm
styles/qwindowsvistastyle.dll"
zip_files=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
if [ "$zip_files" = "$(sed "s|^|$package/|" <<<"$expected_files" | sort)" ]; then
    pass "$(basename "$zip") holds exactly $(wc -l <<<"$zip_files") files under $package/"
else
    fail "$(basename "$zip") holds other files:"
    diff <(sed "s|^|$package/|" <<<"$expected_files" | sort) <(echo "$zip_files") | sed 's/^/    /'
fi
unzip -q "$zip" -d "$scratch/zip"
unpacked=$scratch/zip/$package
exe=$unpacked/ormek-calculator.exe

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

# What the program asks of Windows: its manifest, and the version in its header that an older
# Windows refuses at once.
manifest=$(wrestool -x --raw -t 24 "$exe" | tr -s ' \n' ' ')
for wanted in 'requestedExecutionLevel level="asInvoker"' \
    'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"' '>PerMonitorV2</dpiAwareness>'; do
    if grep -qF "$wanted" <<<"$manifest"; then
        pass "the program's manifest: $wanted"
    else
        fail "the program's manifest lacks $wanted: $manifest"
    fi
done
header=$(x86_64-w64-mingw32-objdump -p "$exe")
subsystem=$(awk '$1 == "MajorSubsystemVersion" { major = $2 } $1 == "MinorSubsystemVersion" {
    minor = $2 } END { print major "." minor }' <<<"$header")
if [ "$subsystem" = 10.0 ] && grep -q '^Subsystem.*(Windows GUI)' <<<"$header"; then
    pass "the program is a Windows GUI program for Windows $subsystem or later"
else
    fail "the program's subsystem: $(grep '^Subsystem' <<<"$header"), version $subsystem"
fi
if wrestool -x --raw -t 24 "$installer" | grep -qF 'requestedExecutionLevel level="asInvoker"'; then
    pass "the installer asks for no elevation"
else
    fail "the installer's manifest asks for more than the user's rights"
fi
installer_strings=$(python3 "$here/installer-strings.py" "$installer")
if grep -qxF "$app $version" <<<"$installer_strings" \
    && ! grep -q 'Nullsoft Install System' <<<"$installer_strings"; then
    pass "the installer's branding line reads \"$app $version\""
else
    fail "the installer's branding line: $(grep -e "^$app [0-9]" -e Nullsoft <<<"$installer_strings")"
fi

# A private Wine for the installer, booted once and reused; earlier runs' leftovers go first.
# All of its processes see one private virtual display from the start: Wine's desktop process
# keeps the display it started with, and the program's platform plugin needs one.
start_display
use_wine_prefix "$WINEPREFIX"
unix_path() { echo "$drive_c/$(sed 's|^C:\\||; s|\\|/|g' <<<"$1")"; }
first=$(unix_path "$first_folder")
other=$(unix_path "$other_folder")
default=$drive_c/users/$(id -un)/AppData/Local/Programs/$app
start_menu=$drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/$app
rm -rf "$first" "$other" "$default" "$start_menu"
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

expected_installed=$(printf '%s\nUninstall.exe\n' "$expected_files" | sort)
files_in() { (cd "$1" 2>/dev/null && find . -type f | sed 's|^\./||' | sort); }
# Whether the program is installed whole in the folder (Windows path) given, with its shortcut
# and its entry; says what is missing or left over otherwise.
installed_in() {
    local folder=$1 files entry
    files=$(files_in "$(unix_path "$folder")")
    entry=$(registry "$uninstall_key")
    if [ "$files" != "$expected_installed" ]; then
        echo "files in $folder: $(tr '\n' ' ' <<<"$files")"
    elif ! grep -qxF "\"InstallLocation\"=\"${folder//\\/\\\\}\"" <<<"$entry"; then
        echo "Add/Remove Programs entry: $(tr '\n' ' ' <<<"$entry")"
    elif [ ! -f "$start_menu/$app.lnk" ]; then
        echo "no Start-menu shortcut $start_menu/$app.lnk"
    fi
}
# Runs a program of the prefix, which is to succeed or to fail (its exit code 0 or 2), and
# checks that the program is installed whole in the folder given afterwards. A silent run that
# waits for an answer all the same is ended after two minutes.
expect_installed() {
    local outcome=$1 folder=$2 what=$3 code=0 expected_code=0 problem
    shift 3
    [ "$outcome" = fails ] && expected_code=2
    timeout 120 wine "$@" >/dev/null 2>&1 || code=$?
    problem=$(installed_in "$folder")
    [ "$code" -eq "$expected_code" ] || problem="exit $code; $problem"
    if [ -z "$problem" ]; then
        pass "$what $outcome (exit $code), and the program is installed whole in $folder"
    else
        fail "$what: $problem"
    fi
}

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
shortcut=$start_menu/$app.lnk
if python3 -c 'import sys
sys.exit("ormek-calculator.exe" not in open(sys.argv[1], "rb").read().decode("latin-1"))' \
    "$shortcut" 2>/dev/null; then
    pass "Start-menu shortcut ${shortcut#"$drive_c"/} to ormek-calculator.exe"
else
    fail "the Start-menu shortcut $shortcut leads elsewhere"
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

# The installed program starts with only what was installed, and shows its window.
(cd "$scratch" && exec wine "$first_folder\\ormek-calculator.exe" >/dev/null 2>&1) &
program=$!
window=$(wait_for_window "$app" 20 "$program")
if [ -n "$window" ] && kill -0 "$program" 2>/dev/null; then
    pass "the installed program runs and shows its window \"$app\""
else
    fail "the installed program showed no window \"$app\""
fi

# While it runs, neither the uninstaller nor the installer goes on. The uninstaller runs in
# place (_?=) to give its exit code: otherwise it copies itself away and returns at once.
expect_installed fails "$first_folder" "uninstalling while the program runs" \
    "$first_folder\\Uninstall.exe" /S "_?=$first_folder"
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

# An upgrade into another folder removes the first.
expect_installed succeeds "$other_folder" "an upgrade into another folder" \
    "$installer" /S "/D=$other_folder"
if [ -e "$first" ]; then
    fail "the upgrade into $other_folder left $(find "$first" | tr '\n' ' ')"
else
    pass "the upgrade into $other_folder removed $first_folder"
fi

# The uninstaller copies itself away and returns at once; wait for its work to show.
timeout 120 wine "$other_folder\\Uninstall.exe" /S >/dev/null 2>&1 || true
for _ in $(seq 120); do
    [ -e "$other" ] || [ -e "$start_menu" ] || break
    sleep 0.25
done
if [ -e "$other" ] || [ -e "$start_menu" ]; then
    fail "after uninstalling, left: $(find "$other" "$start_menu" 2>/dev/null | tr '\n' ' ')"
else
    pass "the uninstaller removed $other_folder and the Start-menu folder"
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
