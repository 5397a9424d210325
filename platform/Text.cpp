// SPDX-License-Identifier: MIT
#include "platform/Text.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

std::string LowerAscii(std::string_view Text) {
    std::string out(Text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

bool SameName(std::string_view A, std::string_view B) {
    if (A.size() != B.size()) {
        return false;
    }
    for (size_t i = 0; i < A.size(); ++i) {
        char a = A[i], b = B[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
        if (a != b) {
            return false;
        }
    }
    return true;
}

namespace {
// Converts with iconv; an input sequence that cannot be converted is skipped, leaving '?'
// unless Drop is set.
std::string Convert(std::string_view Text, const char* To, const char* From, bool FromUtf8, bool Drop = false) {
    iconv_t cd = iconv_open(To, From);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::string(Text);
    }
    std::string out;
    std::vector<char> in(Text.begin(), Text.end());
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            // Skip one byte of an invalid or incomplete sequence (and the rest of a UTF-8 one).
            if (!Drop) {
                out.push_back('?');
            }
            ++inPtr;
            --inLeft;
            while (FromUtf8 && inLeft > 0 && (static_cast<unsigned char>(*inPtr) & 0xC0) == 0x80) {
                ++inPtr;
                --inLeft;
            }
        }
    }
    iconv_close(cd);
    return out;
}
} // namespace

std::string Cp1251ToUtf8(std::string_view Text) { return Convert(Text, "UTF-8", "CP1251", false); }

std::string Utf8ToCp1251(std::string_view Text) { return Convert(Text, "CP1251", "UTF-8", true); }

std::string Utf8ToCp1251Dropping(std::string_view Text) { return Convert(Text, "CP1251", "UTF-8", true, true); }
