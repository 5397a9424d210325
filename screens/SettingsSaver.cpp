// SPDX-License-Identifier: MIT
#include "screens/SettingsSaver.h"

#include "screens/GameTexts.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

// The message of a failed save; {file} and {reason} are filled in.
constexpr const char* kSaveFailed = N_(
    "Не удаётся сохранить ваши успехи в файл «{file}»: {reason}. Игра продолжается, "
    "но новые профили, рекорды и настройки пока не записаны. Игра попробует снова "
    "при следующем изменении.");

struct TReason {
    int Error;
    const char* Text;
};
constexpr TReason kReasons[] = {
    {EROFS, N_("папка доступна только для чтения")},
    {EACCES, N_("нет права записи в папку")},
    {EPERM, N_("нет права записи в папку")},
    {ENOSPC, N_("на диске нет места")},
    {EDQUOT, N_("исчерпана квота на диске")},
    {ENOENT, N_("папка не найдена")},
    {ENOTDIR, N_("папка не найдена")},
    {EISDIR, N_("на месте файла находится папка")},
    {EIO, N_("ошибка диска")},
};

std::string ReasonText(const TGameTexts& Texts, int Error) {
    for (const TReason& r : kReasons) {
        if (r.Error == Error) {
            return Texts.TrUtf8(r.Text);
        }
    }
    return FillIn(Texts.TrUtf8("ошибка записи ({error})"), "{error}", std::strerror(Error));
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

std::string SaveFailedMessage(const TGameTexts& Texts, const std::string& FileName, int Error) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(FileName, ec);
    const std::string text =
        FillIn(Texts.TrUtf8(kSaveFailed), "{file}", ec ? FileName : full.lexically_normal().string());
    return FillIn(text, "{reason}", ReasonText(Texts, Error));
}
