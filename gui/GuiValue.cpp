// SPDX-License-Identifier: MIT
#include "gui/GuiValue.h"

#include "platform/Text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

std::string_view TrimSpaces(std::string_view Text) {
    while (!Text.empty() && (Text.front() == ' ' || Text.front() == '\t')) {
        Text.remove_prefix(1);
    }
    while (!Text.empty() && (Text.back() == ' ' || Text.back() == '\t')) {
        Text.remove_suffix(1);
    }
    return Text;
}

std::optional<int64_t> ParseDecimal(std::string_view Text) {
    Text = TrimSpaces(Text);
    if (!Text.empty() && Text.front() == '+') {
        Text.remove_prefix(1);
    }
    int64_t result = 0;
    const auto [end, error] = std::from_chars(Text.data(), Text.data() + Text.size(), result);
    if (Text.empty() || error != std::errc() || end != Text.data() + Text.size()) {
        return std::nullopt;
    }
    return result;
}

std::optional<int64_t> DoubleToInt64(double Value) {
    // Doubles outside the 64-bit range (and NaN) cannot be represented.
    if (!(Value > -9.2e18 && Value < 9.2e18)) {
        return std::nullopt;
    }
    return static_cast<int64_t>(std::nearbyint(Value));
}

} // namespace

std::optional<int64_t> ValueToInt64(const TGuiValue& Value) {
    if (const auto* i = std::get_if<int64_t>(&Value)) {
        return *i;
    }
    if (const auto* b = std::get_if<bool>(&Value)) {
        return *b ? 1 : 0;
    }
    if (const auto* d = std::get_if<double>(&Value)) {
        return DoubleToInt64(*d);
    }
    return ParseDecimal(std::get<std::string>(Value));
}

std::optional<int32_t> ValueToInt32(const TGuiValue& Value) {
    const auto v = ValueToInt64(Value);
    if (!v || *v < std::numeric_limits<int32_t>::min() || *v > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(*v);
}

std::optional<uint32_t> ValueToLow32(const TGuiValue& Value) {
    const auto v = ValueToInt64(Value);
    if (!v) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(static_cast<uint64_t>(*v) & 0xFFFFFFFFu);
}

std::optional<bool> ValueToBool(const TGuiValue& Value) {
    if (const auto* b = std::get_if<bool>(&Value)) {
        return *b;
    }
    if (const auto* s = std::get_if<std::string>(&Value)) {
        const std::string word = LowerAscii(TrimSpaces(*s));
        if (word == "true") {
            return true;
        }
        if (word == "false") {
            return false;
        }
    }
    const auto v = ValueToInt64(Value);
    if (!v) {
        return std::nullopt;
    }
    return *v != 0;
}

std::string ValueToString(const TGuiValue& Value) {
    if (const auto* s = std::get_if<std::string>(&Value)) {
        return *s;
    }
    if (const auto* b = std::get_if<bool>(&Value)) {
        return *b ? "True" : "False";
    }
    if (const auto* i = std::get_if<int64_t>(&Value)) {
        return std::to_string(*i);
    }
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::get<double>(Value));
    return error == std::errc() ? std::string(buffer, end) : std::string();
}
