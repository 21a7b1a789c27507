// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// Uninstall-wait.exe, the command that the Add/Remove Programs entry names as its quiet
// uninstall ("Uninstall-wait.exe" /S), for package managers and scripts: it runs the NSIS
// uninstaller beside it in place and returns once that is done, with its exit code, and with
// the folder gone when nothing else is left in it.
//
// The NSIS uninstaller alone cannot do both: run as it is, it copies itself away, starts the
// copy and returns at once with 0; run in place (_?=FOLDER), it returns the real exit code but
// cannot remove its own file, which it holds open. So this waits for it, then removes it, and
// then moves its own file out of the folder: a running program's file cannot be deleted, but it
// can be renamed. It links nothing but Windows' own DLLs, so that the uninstaller can remove
// every file of the program's folder while this runs.

#include <windows.h>

#include <string>

namespace {

const wchar_t uninstallerName[] = L"Uninstall.exe";

std::wstring ownPath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring folderOf(const std::wstring &path)
{
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring temporaryFolder()
{
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    return length > 0 && length <= MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

// The arguments as they were written, without the program's name and without an "_?=FOLDER" at
// the end (the uninstaller's own way to be run in place, which this adds itself).
std::wstring arguments()
{
    const wchar_t *line = GetCommandLineW();
    if (*line == L'"') {
        for (++line; *line && *line != L'"'; ++line) { }
        if (*line)
            ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t')
            ++line;
    }
    std::wstring rest(line);
    const std::wstring::size_type inPlace = rest.rfind(L" _?=");
    if (inPlace != std::wstring::npos)
        rest.resize(inPlace);
    return rest;
}

// Runs the uninstaller in the folder in place and returns its exit code, 2 when it cannot start
// (the code of an uninstall that changed nothing).
DWORD uninstallInPlace(const std::wstring &folder, const std::wstring &arguments)
{
    const std::wstring uninstaller = folder + L'\\' + uninstallerName;
    std::wstring command = L'"' + uninstaller + L'"' + arguments + L" _?=" + folder;
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process {};
    if (!CreateProcessW(uninstaller.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return 2;
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 2;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return code;
}

// Deletes a file that a program just ended may still hold for a moment (Windows releases its
// file a little after the program ends, and a virus scanner may look at it).
void deleteSoon(const std::wstring &file)
{
    for (int attempt = 0; attempt < 40; ++attempt) {
        if (DeleteFileW(file.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND)
            return;
        Sleep(50);
    }
}

// Moves this program's own file into the temporary folder, where Windows' cleanup removes it.
// Only within one drive: a running program's file cannot be copied away and deleted.
bool moveAway(const std::wstring &self, const std::wstring &temporary)
{
    wchar_t target[MAX_PATH];
    if (temporary.empty() || !GetTempFileNameW(temporary.c_str(), L"orm", 0, target))
        return false;
    if (MoveFileExW(self.c_str(), target, MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileW(target);
    return false;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const std::wstring self = ownPath();
    const std::wstring folder = folderOf(self);
    // Neither this nor the uninstaller may keep the folder as its working folder: Windows keeps
    // such a folder.
    const std::wstring temporary = temporaryFolder();
    SetCurrentDirectoryW(temporary.empty() ? L"C:\\" : temporary.c_str());

    const DWORD code = uninstallInPlace(folder, arguments());
    if (code == 0) {
        deleteSoon(folder + L'\\' + uninstallerName);
        // The folder goes only when nothing else is left in it, such as the player's own files.
        if (moveAway(self, temporary))
            RemoveDirectoryW(folder.c_str());
    }
    return int(code);
}
