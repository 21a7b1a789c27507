#!/usr/bin/env bash
# Checks the Windows packages that `cpack` made in a MinGW cross build folder (the argument):
# the zip's exact file list and that every DLL a shipped file needs is shipped or part of
# Windows; the program's icon and version resources; and, in a private Wine under the build
# folder, the installer: a silent install, the Start-menu shortcut and the Add/Remove Programs
# entry, a start of the installed program on a private virtual display with no other Qt on any
# path, and a silent uninstall that removes the program and keeps the player's price tables.
# Prints PASS/FAIL lines and exits non-zero on any failure. Needs what
# `scripts/install-deps windows` installs.
set -euo pipefail
build=$(realpath "$1")
here=$(dirname "$(realpath "$0")")

source "$here/wine-session.sh"
export WINEPREFIX=$build/wine-packages

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
package=ormek-calculator-$version-win64
zip=$build/$package.zip
installer=$build/$package.exe
app=Ormek商人计算器
install_folder=C:\\$app
drive_c=$WINEPREFIX/drive_c
installed=$drive_c/$app
start_menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$app"
uninstall_key='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall'
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

# The zip: the program, Qt and the MinGW runtime, and nothing else.
expected_files="Qt6Core.dll
Qt6Gui.dll
Qt6Widgets.dll
libgcc_s_seh-1.dll
libstdc++-6.dll
libwinpthread-1.dll
ormek-calculator.exe
platforms/qwindows.dll
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
for wanted in "ProductName=$app" "FileVersion=$version" "ProductVersion=$version"; do
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

# A private Wine for the installer, booted once and reused; earlier runs' leftovers go first.
# All of its processes see one private virtual display from the start: Wine's desktop process
# keeps the display it started with, and the program's platform plugin needs one.
start_display
use_wine_prefix "$WINEPREFIX"
rm -rf "$installed" "$start_menu"
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

# The price tables of a player who has used the program before (so no first-run greeting),
# in place of whatever an earlier run left.
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[-%s\\%s]\r\n\r\n' "$uninstall_key" "$app"
    printf '[-%s\\%s]\r\n\r\n' "$settings_key" "$app"
    printf '[%s\\%s\\使用次数]\r\n"N"="1"\r\n\r\n' "$settings_key" "$app"
    printf '[%s\\%s\\物品名称及价格储存]\r\n"a1"="金币"\r\n"b1"="1000"\r\n' "$settings_key" "$app"
} | iconv -f UTF-8 -t UTF-16 >"$scratch/tables.reg"
wine reg import "$(wine_path "$scratch")\\tables.reg" >/dev/null 2>&1

# The installer, silently into a folder with a Chinese name.
wine "$installer" /S "/D=$install_folder" >/dev/null 2>&1 || true
installed_files=$(cd "$installed" 2>/dev/null && find . -type f | sed 's|^\./||' | sort)
if [ "$installed_files" = "$(printf '%s\nUninstall.exe\n' "$expected_files" | sort)" ]; then
    pass "the installer put the program's $(wc -l <<<"$installed_files") files into $install_folder"
else
    fail "installed files in $install_folder: $(tr '\n' ' ' <<<"$installed_files")"
fi
shortcut=$start_menu/$app.lnk
if [ -f "$shortcut" ] && python3 -c 'import sys
sys.exit("ormek-calculator.exe" not in open(sys.argv[1], "rb").read().decode("latin-1"))' "$shortcut"; then
    pass "Start-menu shortcut ${shortcut#"$drive_c"/} to ormek-calculator.exe"
else
    fail "no Start-menu shortcut $shortcut to ormek-calculator.exe"
fi
entry=$(registry "$uninstall_key\\$app")
if grep -qxF "\"DisplayName\"=\"$app\"" <<<"$entry" && grep -q '^"UninstallString"=.*Uninstall.exe' <<<"$entry"; then
    pass "Add/Remove Programs lists $app with its uninstaller"
else
    fail "Add/Remove Programs entry: $entry"
fi

# The installed program starts with only what was installed, and shows its window.
(cd "$scratch" && exec wine "$install_folder\\ormek-calculator.exe" >/dev/null 2>&1) &
program=$!
window=$(wait_for_window "$app" 20 "$program")
if [ -n "$window" ] && kill -0 "$program" 2>/dev/null; then
    pass "the installed program runs and shows its window \"$app\""
else
    fail "the installed program showed no window \"$app\""
fi
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
program=""

# The uninstaller copies itself away and returns at once; wait for its work to show.
wine "$install_folder\\Uninstall.exe" /S >/dev/null 2>&1 || true
for _ in $(seq 120); do
    [ -e "$installed" ] || [ -e "$start_menu" ] || break
    sleep 0.25
done
if [ -e "$installed" ] || [ -e "$start_menu" ]; then
    fail "after uninstalling, left: $(find "$installed" "$start_menu" 2>/dev/null | tr '\n' ' ')"
else
    pass "the uninstaller removed $install_folder and the Start-menu folder"
fi
if [ -z "$(registry "$uninstall_key\\$app")" ]; then
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
