// The user's side through the probe: values under HKCU, the elevation of a process, a process made to fail, and a
// program started limited.
#include <windows.h>

#include <string>
#include <vector>

#include "probe_commands.h"

namespace probe {

// Read with the wide API, so that the test sees the value's UTF-16 units, not their code-page bytes.
std::string ReadUserValue(const Fields& fields) {
    const std::string keyBytes = Arg(fields, 1), valueBytes = Arg(fields, 2);
    const std::wstring key(keyBytes.begin(), keyBytes.end()), value(valueBytes.begin(), valueBytes.end());
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return Fail("no such value");
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, 0);
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr, data.data(), &size) !=
        ERROR_SUCCESS)
        return Fail("value could not be read");
    return Ok("\"hex\":\"" + ToHex(data.data(), size / sizeof(wchar_t) - 1) + "\"");
}

// A thread started at an address that holds no code: its access violation is the process's unhandled failure.
std::string CrashProcess(const Fields& fields) {
    const HANDLE process = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                           PROCESS_VM_WRITE | PROCESS_VM_READ,
                                       FALSE, static_cast<DWORD>(IntArg(fields, 1)));
    if (!process) return Fail("OpenProcess failed");
    constexpr UINT_PTR kNoCode = 0x10;
    const HANDLE thread = CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(kNoCode),
                                             nullptr, 0, nullptr);
    CloseHandle(process);
    if (!thread) return Fail("CreateRemoteThread failed");
    CloseHandle(thread);
    return Done(true);
}

// elevation PID (a Windows pid): TokenElevation, and the integrity level's last sub-authority (0 when unreadable).
std::string ReadElevation(const Fields& fields) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(IntArg(fields, 1)));
    if (!process) return Fail("OpenProcess failed");
    HANDLE token = nullptr;
    const BOOL opened = OpenProcessToken(process, TOKEN_QUERY, &token);
    CloseHandle(process);
    if (!opened) return Fail("OpenProcessToken failed");
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const BOOL read = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    // The label is a SID that follows the structure in the same buffer.
    alignas(TOKEN_MANDATORY_LABEL) unsigned char label[sizeof(TOKEN_MANDATORY_LABEL) + SECURITY_MAX_SID_SIZE];
    DWORD level = 0;
    if (GetTokenInformation(token, TokenIntegrityLevel, label, sizeof label, &size)) {
        const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(label)->Label.Sid;
        level = *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);
    }
    CloseHandle(token);
    if (!read) return Fail("TokenElevation unreadable");
    return Ok("\"elevated\":" + Num(elevation.TokenIsElevated) + ",\"integrity\":" + Num(level));
}

// limited PROGRAM [ARGUMENTS]: under Wine the linked token is the only way to a process whose TokenElevation is 0.
// Exits with the program's code, or 101 to 103 when it could not be started.
int RunLimited(int argc, wchar_t** argv) {
    HANDLE own = nullptr;
    TOKEN_LINKED_TOKEN linked{};
    DWORD size = 0;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &own) ||
        !GetTokenInformation(own, TokenLinkedToken, &linked, sizeof linked, &size))
        return 101;
    HANDLE primary = nullptr;
    if (!DuplicateTokenEx(linked.LinkedToken, MAXIMUM_ALLOWED, nullptr, SecurityImpersonation, TokenPrimary, &primary))
        return 102;
    // Each argument quoted again (none of the tests' holds a quote).
    std::wstring command;
    for (int i = 2; i < argc; ++i) command += (i > 2 ? L" \"" : L"\"") + std::wstring(argv[i]) + L"\"";
    // In a job that dies with this process: a test that kills the helper leaves no program behind.
    const HANDLE job = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (job) SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // Suspended until it is in the job, so that nothing it starts escapes the job.
    if (!CreateProcessAsUserW(primary, nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                              nullptr, &startup, &started))
        return 103;
    if (job) AssignProcessToJobObject(job, started.hProcess);
    ResumeThread(started.hThread);
    WaitForSingleObject(started.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(started.hProcess, &code);
    return static_cast<int>(code);
}

}  // namespace probe
