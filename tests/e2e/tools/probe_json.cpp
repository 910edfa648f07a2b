// JSON answers and command fields of the probe.
#include "probe_json.h"

#include <cstdio>
#include <cstdlib>

namespace probe {

std::string Arg(const Fields& fields, std::size_t index) {
    return index < fields.size() ? fields[index] : std::string();
}

int IntArg(const Fields& fields, std::size_t index) { return std::atoi(Arg(fields, index).c_str()); }

HWND WindowArg(const Fields& fields, std::size_t index) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(Arg(fields, index).c_str(), nullptr, 0)));
}

std::string JsonText(const std::string& text) {
    std::string out = "\"";
    for (const unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string Num(long long value) { return std::to_string(value); }

std::string WindowNum(HWND window) { return Num(static_cast<long long>(reinterpret_cast<UINT_PTR>(window))); }

std::string RectJson(const RECT& rect) {
    return "[" + Num(rect.left) + "," + Num(rect.top) + "," + Num(rect.right) + "," + Num(rect.bottom) + "]";
}

std::string ListJson(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i];
    return out + "]";
}

std::string Ok(const std::string& body) { return "{\"ok\":1," + body + "}"; }

std::string Fail(const std::string& what) { return "{\"ok\":0,\"error\":" + JsonText(what) + "}"; }

std::string Done(bool result) { return Ok("\"done\":" + Num(result ? 1 : 0)); }

std::wstring FromHex(const std::string& hex) {
    std::wstring out;
    for (std::size_t i = 0; i + 4 <= hex.size(); i += 4) {
        out += static_cast<wchar_t>(std::strtoul(hex.substr(i, 4).c_str(), nullptr, 16));
    }
    return out;
}

std::string ToHex(const wchar_t* text, std::size_t length) {
    std::string out;
    char unit[8];
    for (std::size_t i = 0; i < length; ++i) {
        std::snprintf(unit, sizeof unit, "%04x", static_cast<unsigned>(text[i]));
        out += unit;
    }
    return out;
}

}  // namespace probe
