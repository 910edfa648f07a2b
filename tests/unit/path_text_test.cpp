// Unit tests of the path texts: folder of the program, joined file paths, and the form for long paths.
#include <gtest/gtest.h>

#include <string>

#include "win/logic/path_text.h"

namespace {

using win::FolderOf;
using win::JoinPath;
using win::LongPathForm;

std::wstring Repeat(std::wstring_view part, std::size_t times) {
    std::wstring text;
    for (std::size_t i = 0; i < times; ++i) text += part;
    return text;
}

TEST(FolderOf, CutsTheFileNameAndItsSeparator) {
    const struct {
        std::wstring path;
        std::wstring folder;
    } cases[] = {
        {L"C:\\Tools\\Pelmorath\\Pelmorath.exe", L"C:\\Tools\\Pelmorath"},
        {L"C:\\Pelmorath.exe", L"C:"},  // the file name then brings its own separator back
        {L"\\\\server\\share\\Pelmorath.exe", L"\\\\server\\share"},
        {L"\\\\?\\C:\\deep\\Pelmorath.exe", L"\\\\?\\C:\\deep"},
        {L"C:\\\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u044b\\\u5de5\u5177\\Pelmorath.exe",
         L"C:\\\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u044b\\\u5de5\u5177"},
        {L"C:/mixed\\sep/Pelmorath.exe", L"C:/mixed\\sep"},
        {L"Pelmorath.exe", L""},
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(FolderOf(c.path), c.folder);
}

TEST(JoinPath, AppendsTheTailUnchanged) {
    EXPECT_EQ(JoinPath(L"C:\\\u041f\u0430\u043f\u043a\u0430", L"\\HAND-M.CUR"),
              L"C:\\\u041f\u0430\u043f\u043a\u0430\\HAND-M.CUR");
    EXPECT_EQ(JoinPath(L"C:", L"\\x\\o.cjs"), L"C:\\x\\o.cjs");
    EXPECT_EQ(JoinPath(L"", L"\\HAND-M.CUR"), L"\\HAND-M.CUR");
}

TEST(LongPathForm, OnlyLongFullPathsGetTheExtendedForm) {
    const std::wstring deep = Repeat(L"\\\u0434\u043b\u0438\u043d\u043d\u0430\u044f-\u043f\u0430\u043f\u043a\u0430", 30);
    const std::wstring longDrive = L"C:" + deep + L"\\HAND-M.CUR";
    const std::wstring longUnc = L"\\\\server\\share" + deep + L"\\HAND-M.CUR";
    const std::wstring justShort = L"C:\\" + std::wstring(win::kLongPathFrom - 4, L'a');  // 259 characters
    const std::wstring justLong = justShort + L"b";                                       // 260 characters
    ASSERT_EQ(justShort.size(), win::kLongPathFrom - 1);

    std::wstring slashed = longDrive;
    for (wchar_t& c : slashed) {
        if (c == L'\\') c = L'/';
    }

    const struct {
        const char* name;
        std::wstring path;
        std::wstring form;
    } cases[] = {
        {"short drive path", L"C:\\Tools\\HAND-M.CUR", L"C:\\Tools\\HAND-M.CUR"},
        {"one below the limit", justShort, justShort},
        {"at the limit", justLong, L"\\\\?\\" + justLong},
        {"long drive path", longDrive, L"\\\\?\\" + longDrive},
        {"long network path", longUnc, L"\\\\?\\UNC\\server\\share" + deep + L"\\HAND-M.CUR"},
        {"forward slashes become backslashes", slashed, L"\\\\?\\" + longDrive},
        {"already extended", L"\\\\?\\" + longDrive, L"\\\\?\\" + longDrive},
        {"device path", L"\\\\.\\" + longDrive, L"\\\\.\\" + longDrive},
        {"relative", deep.substr(1), deep.substr(1)},
        {"drive-relative", L"C:" + deep.substr(1), L"C:" + deep.substr(1)},
        {"dot parts are left to the platform", L"C:" + deep + L"\\..\\HAND-M.CUR", L"C:" + deep + L"\\..\\HAND-M.CUR"},
        {"a dot inside a name is no dot part", L"C:" + deep + L"\\a.b\\HAND-M.CUR",
         L"\\\\?\\C:" + deep + L"\\a.b\\HAND-M.CUR"},
    };
    for (const auto& c : cases) EXPECT_EQ(LongPathForm(c.path), c.form) << c.name;
}

}  // namespace
