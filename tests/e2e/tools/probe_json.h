// The probe's answers as JSON lines, and the fields of the command lines they answer.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace probe {

// The fields of one command line; the first is the command's name. A missing field reads as empty.
using Fields = std::vector<std::string>;

std::string Arg(const Fields& fields, std::size_t index);
int IntArg(const Fields& fields, std::size_t index);
// A window handle as a number in any C base.
HWND WindowArg(const Fields& fields, std::size_t index);

// A JSON string of ANSI bytes; control characters and bytes from 0x7f up come out as \u00XX, so that the reader
// gets the exact bytes.
std::string JsonText(const std::string& text);
std::string Num(long long value);
std::string WindowNum(HWND window);
std::string RectJson(const RECT& rect);
// A JSON array of items that are JSON already.
std::string ListJson(const std::vector<std::string>& items);

// The answers: {"ok":1,BODY}; {"ok":0,"error":WHAT}; {"ok":1,"done":1} or 0 for a call that succeeded or not.
std::string Ok(const std::string& body);
std::string Fail(const std::string& what);
std::string Done(bool result);

// UTF-16 text as four hex digits per unit, both ways.
std::wstring FromHex(const std::string& hex);
std::string ToHex(const wchar_t* text, std::size_t length);

}  // namespace probe
