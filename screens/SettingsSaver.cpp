// SPDX-License-Identifier: MIT
#include "screens/SettingsSaver.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

// The message of a failed save; {file} and {reason} are filled in.
constexpr const char* kSaveFailed =
    "Не удаётся сохранить ваши успехи в файл «{file}»: {reason}. Игра продолжается, "
    "но новые профили, рекорды и настройки пока не записаны. Игра попробует снова "
    "при следующем изменении.";

struct TReason {
    int Error;
    const char* Text;
};
constexpr TReason kReasons[] = {
    {EROFS, "папка доступна только для чтения"},
    {EACCES, "нет права записи в папку"},
    {EPERM, "нет права записи в папку"},
    {ENOSPC, "на диске нет места"},
    {EDQUOT, "исчерпана квота на диске"},
    {ENOENT, "папка не найдена"},
    {ENOTDIR, "папка не найдена"},
    {EISDIR, "на месте файла находится папка"},
    {EIO, "ошибка диска"},
};

std::string ReasonText(int Error) {
    for (const TReason& r : kReasons) {
        if (r.Error == Error) {
            return r.Text;
        }
    }
    return std::string("ошибка записи (") + std::strerror(Error) + ")";
}

void ReplaceAll(std::string& Text, const std::string& Key, const std::string& Value) {
    for (size_t at = Text.find(Key); at != std::string::npos; at = Text.find(Key, at + Value.size())) {
        Text.replace(at, Key.size(), Value);
    }
}

} // namespace

TSettingsSaver::TOutcome TSettingsSaver::SaveIfChanged(const TSettings& Settings) {
    if (!Requested && Settings == Last) {
        return {};
    }
    return SaveNow(Settings);
}

TSettingsSaver::TOutcome TSettingsSaver::SaveNow(const TSettings& Settings) {
    Requested = false;
    Last = Settings;
    if (PrepareFolder) {
        if (const int error = PrepareFolder(); error != 0) {
            return {true, false, error};
        }
    }
    try {
        SaveConfig(FileName_, Settings);
        return {true, true, 0};
    } catch (const EInOutError& e) {
        return {true, false, e.Error};
    }
}

std::string SaveFailedMessage(const std::string& FileName, int Error) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(FileName, ec);
    std::string text = kSaveFailed;
    ReplaceAll(text, "{file}", ec ? FileName : full.lexically_normal().string());
    ReplaceAll(text, "{reason}", ReasonText(Error));
    return text;
}
