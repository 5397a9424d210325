// SPDX-License-Identifier: MIT
#pragma once

#include "server/ScoreStore.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The world tables as pages and as JSON. Pages use relative links only, so the service works
// unchanged under any host name and behind a proxy.
namespace PageRenderer {

enum class TLanguage { Russian, English };
// "today", "week" or "all".
enum class TPeriod { Today, Week, All };

struct TTablePage {
    int32_t Type = 0;
    TPeriod Period = TPeriod::All;
    TLanguage Language = TLanguage::Russian;
    std::vector<TScoreRecord> Rows;
};

// The language the browser prefers of the two the pages come in (Russian when it names neither).
[[nodiscard]] TLanguage ChooseLanguage(std::string_view AcceptLanguage);
// The period of a "period" value; false when the value is none of them.
[[nodiscard]] bool ParsePeriod(std::string_view Text, TPeriod& Period);
[[nodiscard]] std::string_view PeriodName(TPeriod Period);
// The first second the period takes in, counted back from Now (UTC days).
[[nodiscard]] int64_t PeriodStart(TPeriod Period, int64_t Now);

[[nodiscard]] std::string RenderPage(const TTablePage& Page);
[[nodiscard]] std::string RenderJson(const TTablePage& Page);

// "<", ">", "&", quotes and apostrophes as entities.
[[nodiscard]] std::string EscapeHtml(std::string_view Text);
// A JSON string literal, quotes included.
[[nodiscard]] std::string JsonString(std::string_view Text);
// "2026-12-10" of a time in seconds (UTC).
[[nodiscard]] std::string DateText(int64_t Time);

} // namespace PageRenderer
