// The installer's custom action that asks a running Pelmorath of the installed folder to close before its files change.
//
// wixl can author neither util:CloseApplication nor a files-in-use dialog, so the package carries this action itself.
// It asks with the program's own close message, let through to a copy that runs as administrator, or as the Restart
// Manager does at an update (the session-end messages with ENDSESSION_CLOSEAPP) when the program is older; the program
// ends as when the user closes it, and the action waits for the process to be gone. Only a copy started
// from the folder an earlier install recorded is asked: those are the files an upgrade or uninstall replaces or removes.
// A copy started elsewhere (an unpacked zip) is left alone. A property tells the package that it closed one, so that an
// upgrade can start it again.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <cwchar>

#include "win/logic/main_window_class.h"
#include "win/logic/program_messages.h"

// Plain buffers, no C++ library and no exceptions: the DLL goes into the MSI uncompressed, so it stays small.
namespace {

// Written by the package's Program component as its key path: the installed folder, with a final backslash. Read
// rather than INSTALLDIR: an upgrade into another folder replaces the files of the recorded one.
constexpr wchar_t kInstalledKey[] = L"Software\\Quendrix\\Pelmorath Software\\Installer";
constexpr wchar_t kInstalledValue[] = L"Program";
constexpr UINT kAnswerMs = 5000;   // for each message: the program answers at once unless it hangs
constexpr DWORD kEndMs = 10000;    // for the process to end after it agreed
// Longer than any folder a per-user install gets; a program at a longer path is not in that folder.
constexpr DWORD kPathChars = 1024;
// Set once a copy was closed: the package starts the program again after an upgrade.
constexpr wchar_t kClosedProperty[] = L"PelmorathClosed";

// Directly in the folder: the folder ends with a backslash, as Windows Installer gives folders.
bool InFolder(const wchar_t* path, DWORD pathChars, const wchar_t* folder, DWORD folderChars) {
    if (folderChars == 0 || pathChars <= folderChars) return false;
    if (CompareStringOrdinal(path, static_cast<int>(folderChars), folder, static_cast<int>(folderChars), TRUE) !=
        CSTR_EQUAL) {
        return false;
    }
    return std::wcschr(path + folderChars, L'\\') == nullptr;
}

void Log(MSIHANDLE install, const wchar_t* what, const wchar_t* image) {
    wchar_t line[kPathChars + 64];
    std::swprintf(line, sizeof line / sizeof line[0], L"%ls %ls", what, image);
    PMSIHANDLE record = MsiCreateRecord(0);  // closed when it goes out of scope
    MsiRecordSetStringW(record, 0, line);
    MsiProcessMessage(install, INSTALLMESSAGE_INFO, record);
}

bool Ended(HANDLE process, DWORD milliseconds) { return WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0; }

// Asks one window's program to close; true once its process is gone.
bool Close(HWND window, HANDLE process) {
    // The program's own message first. Windows drops the session-end messages that this action, which runs without
    // elevation, sends to a copy that runs as administrator; the program lets this one message through. A program
    // from before it answers 0 and is asked as the Restart Manager asks.
    DWORD_PTR closing = 0;
    const UINT closeMessage = RegisterWindowMessageW(win::kCloseForUpdateMessageName);
    if (closeMessage != 0 &&
        SendMessageTimeoutW(window, closeMessage, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &closing) &&
        closing == win::kClosingAnswer) {
        return Ended(process, kEndMs);
    }
    if (Ended(process, 0)) return true;
    DWORD_PTR agreed = 0;
    if (!SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, kAnswerMs, &agreed) ||
        !agreed) {
        return false;
    }
    DWORD_PTR ignored = 0;
    // The program ends inside this message, so the call may come back without an answer.
    SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, kAnswerMs, &ignored);
    return Ended(process, kEndMs);
}

}  // namespace

// Never fails the installation: a copy that does not close is then the installer's own files-in-use case.
extern "C" __declspec(dllexport) UINT __stdcall CloseRunningPelmorath(MSIHANDLE install) {
    wchar_t folder[kPathChars];
    wchar_t image[kPathChars];
    DWORD folderBytes = sizeof folder;
    if (RegGetValueW(HKEY_CURRENT_USER, kInstalledKey, kInstalledValue, RRF_RT_REG_SZ, nullptr, folder, &folderBytes) !=
        ERROR_SUCCESS) {
        return ERROR_SUCCESS;  // nothing installed yet
    }
    const DWORD folderChars = static_cast<DWORD>(std::wcslen(folder));
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, win::kMainWindowClass, nullptr)) != nullptr) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        if (process == nullptr) continue;
        DWORD imageChars = kPathChars;
        if (QueryFullProcessImageNameW(process, 0, image, &imageChars) &&
            InFolder(image, imageChars, folder, folderChars)) {
            const bool closed = Close(window, process);
            Log(install, closed ? L"Closed the running" : L"Could not close the running", image);
            if (closed) {
                MsiSetPropertyW(install, kClosedProperty, L"1");
                window = nullptr;  // its windows are gone: search again from the top
            }
        }
        CloseHandle(process);
    }
    return ERROR_SUCCESS;
}
