// SPDX-License-Identifier: MIT
#include "server/PageRenderer.h"

#include <array>
#include <cctype>
#include <charconv>
#include <ctime>

namespace PageRenderer {
namespace {
constexpr int64_t Day = 24 * 60 * 60;
constexpr int32_t TypeCount = 3;
constexpr std::array<TPeriod, 3> kPeriods = {TPeriod::Today, TPeriod::Week, TPeriod::All};

// Every text of a page in one language.
struct TTexts {
    const char* Lang;
    const char* Title;
    const char* Game;
    std::array<const char*, 3> Difficulties;
    std::array<const char*, 3> Periods;
    const char* Rank;
    const char* Name;
    const char* Country;
    const char* Score;
    const char* Date;
    const char* Empty;
    const char* Json;
    const char* Footer;
};

const TTexts kRussian = {"ru",
                         "Мировые рекорды",
                         "Капитан Зибо",
                         {"Легко", "Средне", "Сложно"},
                         {"Сегодня", "Неделя", "Всё время"},
                         "Место",
                         "Имя",
                         "Страна",
                         "Очки",
                         "Дата",
                         "Здесь пока нет результатов. Сыграйте и отправьте свой счёт!",
                         "Эта таблица в JSON",
                         "Лучшие сто результатов. Даты — по всемирному времени (UTC)."};
const TTexts kEnglish = {"en",
                         "World high scores",
                         "Captain Zibo",
                         {"Easy", "Medium", "Hard"},
                         {"Today", "This week", "All time"},
                         "#",
                         "Name",
                         "Country",
                         "Score",
                         "Date",
                         "No scores here yet. Play a game and send yours!",
                         "This table as JSON",
                         "The best hundred scores. Dates are in UTC."};

const TTexts& TextsOf(TLanguage Language) { return Language == TLanguage::English ? kEnglish : kRussian; }

// The game's colours: night-blue space, violet panels, gold buttons, and the high-score
// screen's label colours for the three difficulties.
const char* const kStyle = R"css(
:root{--gold:#ffd86a;--orange:#f58a1c;--ink:#e8ecff;--muted:#b8a8ff;--panel1:#2e2f86;--panel2:#18164a;
--rim:#e8a93a;--easy:#5cffb9;--medium:#fdd7a3;--hard:#7d7df6}
*{box-sizing:border-box}
html{background:#0a0c26}
body{margin:0;min-height:100vh;color:var(--ink);font:16px/1.4 "DejaVu Sans",Verdana,sans-serif;
background:radial-gradient(ellipse at 50% -10%,#3a2a9a 0%,#14124a 45%,#0a0c26 100%) fixed}
main{max-width:760px;margin:0 auto;padding:16px 12px 32px}
header{text-align:center}
.logo img{width:260px;max-width:70%;height:auto}
h1{margin:4px 0 14px;font-size:1.7em;color:var(--gold);letter-spacing:.02em;
text-shadow:0 2px 0 #8a3a06,0 0 18px rgba(255,160,40,.45)}
nav{display:flex;flex-wrap:wrap;justify-content:center;gap:8px;margin:0 0 10px}
nav a{display:inline-block;padding:8px 16px;border-radius:999px;text-decoration:none;font-weight:bold;
color:#fff;background:linear-gradient(#6e52d8,#3c2496);border:2px solid #9e8cff;
box-shadow:0 2px 6px rgba(0,0,0,.4)}
nav a.on{color:#3a1a02;background:linear-gradient(#ffd86a,#f58a1c);border-color:#fff2a0}
nav.periods a{padding:5px 12px;font-size:.9em;font-weight:normal;background:rgba(20,18,74,.7);border-color:#5b3fd0}
nav.periods a.on{color:#3a1a02;background:linear-gradient(#ffe08a,#d9781c);border-color:#ffe08a;font-weight:bold}
.dot{display:inline-block;width:.7em;height:.7em;border-radius:50%;margin-right:.45em;vertical-align:.05em;
border:1px solid rgba(0,0,0,.5)}
.d0{background:var(--easy)}.d1{background:var(--medium)}.d2{background:var(--hard)}
.panel{background:linear-gradient(rgba(46,47,134,.93),rgba(24,22,74,.95));border:2px solid var(--rim);
border-radius:16px;padding:10px 12px;box-shadow:0 8px 28px rgba(0,0,0,.55),inset 0 1px 0 rgba(255,255,255,.16)}
table{width:100%;border-collapse:collapse}
th{color:var(--gold);font-size:.85em;text-transform:uppercase;letter-spacing:.05em;text-align:left;
padding:6px 8px;border-bottom:2px solid rgba(232,169,58,.6)}
td{padding:7px 8px;border-bottom:1px solid rgba(158,140,255,.18);overflow-wrap:anywhere}
tbody tr:nth-child(even){background:rgba(255,255,255,.04)}
.rank{width:3.2em;text-align:center}
.num{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}
td.num.score{color:var(--gold);font-weight:bold}
.date{color:var(--muted);white-space:nowrap}
.medal{display:inline-block;min-width:1.9em;padding:2px 0;border-radius:999px;font-weight:bold;color:#2a1500}
.m1{background:linear-gradient(#fff2a0,#f5b21c)}.m2{background:linear-gradient(#f4f4ff,#a8a8c0)}
.m3{background:linear-gradient(#ffc890,#c06a2a)}
.sub{display:none;color:var(--muted);font-size:.85em}
.empty{text-align:center;padding:28px 8px;color:var(--muted)}
footer{text-align:center;color:var(--muted);font-size:.85em;margin-top:14px}
footer a{color:var(--gold)}
@media (max-width:560px){body{font-size:15px}h1{font-size:1.35em}.country,.date{display:none}
.sub{display:block}nav a{padding:7px 12px}td,th{padding:6px 5px}}
)css";

// The link to one table page (relative to the script's own address).
std::string PageLink(int32_t Type, TPeriod Period) {
    return "version.pl?prg=Velmorant&amp;show&amp;type=" + std::to_string(Type) + "&amp;period=" +
           std::string(PeriodName(Period));
}

std::string DifficultyTabs(const TTablePage& Page, const TTexts& T) {
    std::string html = "<nav class=\"types\">";
    for (int32_t type = 0; type < TypeCount; ++type) {
        const bool on = type == Page.Type;
        html += "<a href=\"" + PageLink(type, Page.Period) + "\"" + (on ? " class=\"on\" aria-current=\"page\"" : "") +
                "><span class=\"dot d" + std::to_string(type) + "\"></span>" + T.Difficulties[type] + "</a>";
    }
    return html + "</nav>";
}

std::string PeriodTabs(const TTablePage& Page, const TTexts& T) {
    std::string html = "<nav class=\"periods\">";
    for (size_t i = 0; i < kPeriods.size(); ++i) {
        const bool on = kPeriods[i] == Page.Period;
        html += "<a href=\"" + PageLink(Page.Type, kPeriods[i]) + "\"" +
                (on ? " class=\"on\" aria-current=\"page\"" : "") + ">" + T.Periods[i] + "</a>";
    }
    return html + "</nav>";
}

std::string RankCell(size_t Rank) {
    const std::string number = std::to_string(Rank);
    if (Rank <= 3) {
        return "<td class=\"rank\"><span class=\"medal m" + number + "\">" + number + "</span></td>";
    }
    return "<td class=\"rank\">" + number + "</td>";
}

std::string ScoreRow(const TScoreRecord& Row, size_t Rank) {
    const std::string country = EscapeHtml(Row.Country);
    return "<tr>" + RankCell(Rank) + "<td class=\"name\">" + EscapeHtml(Row.Name) + "<span class=\"sub\">" + country +
           "</span></td><td class=\"country\">" + country + "</td><td class=\"num score\">" +
           std::to_string(Row.Score) + "</td><td class=\"date\">" + DateText(Row.Time) + "</td></tr>\n";
}

std::string ScoreTable(const TTablePage& Page, const TTexts& T) {
    if (Page.Rows.empty()) {
        return std::string("<p class=\"empty\">") + T.Empty + "</p>";
    }
    std::string html = std::string("<table><thead><tr><th class=\"rank\">") + T.Rank + "</th><th>" + T.Name +
                       "</th><th class=\"country\">" + T.Country + "</th><th class=\"num\">" + T.Score +
                       "</th><th class=\"date\">" + T.Date + "</th></tr></thead><tbody>\n";
    for (size_t i = 0; i < Page.Rows.size(); ++i) {
        html += ScoreRow(Page.Rows[i], i + 1);
    }
    return html + "</tbody></table>";
}

// The q value of one Accept-Language entry ("ru-RU;q=0.8" gives 0.8), 1 when it has none.
double Quality(std::string_view Entry) {
    const size_t q = Entry.find(";q=");
    if (q == std::string_view::npos) {
        return 1.0;
    }
    double value = 0;
    const std::string_view number = Entry.substr(q + 3);
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    return error == std::errc() ? value : 0.0;
}

std::string PrimaryTag(std::string_view Entry) {
    std::string tag;
    for (const char c : Entry) {
        if (c == '-' || c == ';' || c == '_') {
            break;
        }
        if (c != ' ') {
            tag.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        }
    }
    return tag;
}
} // namespace

TLanguage ChooseLanguage(std::string_view AcceptLanguage) {
    double russian = -1;
    double english = -1;
    size_t start = 0;
    while (start <= AcceptLanguage.size()) {
        const size_t comma = std::min(AcceptLanguage.find(',', start), AcceptLanguage.size());
        const std::string_view entry = AcceptLanguage.substr(start, comma - start);
        const std::string tag = PrimaryTag(entry);
        double& slot = tag == "ru" ? russian : english;
        if ((tag == "ru" || tag == "en") && slot < 0) {
            slot = Quality(entry);
        }
        start = comma + 1;
    }
    return english > russian ? TLanguage::English : TLanguage::Russian;
}

bool ParsePeriod(std::string_view Text, TPeriod& Period) {
    for (const TPeriod p : kPeriods) {
        if (Text == PeriodName(p)) {
            Period = p;
            return true;
        }
    }
    return false;
}

std::string_view PeriodName(TPeriod Period) {
    switch (Period) {
    case TPeriod::Today:
        return "today";
    case TPeriod::Week:
        return "week";
    default:
        return "all";
    }
}

int64_t PeriodStart(TPeriod Period, int64_t Now) {
    switch (Period) {
    case TPeriod::Today:
        return Now - Now % Day;
    case TPeriod::Week:
        return Now - 7 * Day;
    default:
        return 0;
    }
}

std::string RenderPage(const TTablePage& Page) {
    const TTexts& T = TextsOf(Page.Language);
    const std::string difficulty = T.Difficulties[static_cast<size_t>(Page.Type) % TypeCount];
    std::string html = std::string("<!DOCTYPE html>\n<html lang=\"") + T.Lang + "\">\n<head>\n<meta charset=\"utf-8\">\n" +
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" + T.Game +
                       " — " + T.Title + ": " + difficulty + "</title>\n" +
                       "<link rel=\"icon\" type=\"image/png\" href=\"../favicon.png\">\n<style>" + kStyle +
                       "</style>\n</head>\n<body>\n<main>\n<header><div class=\"logo\"><img src=\"../logo.png\" alt=\"" +
                       T.Game + "\" width=\"520\" height=\"360\"></div>\n<h1>" + T.Title + "</h1></header>\n";
    html += DifficultyTabs(Page, T) + "\n" + PeriodTabs(Page, T) + "\n";
    html += "<section class=\"panel\">\n" + ScoreTable(Page, T) + "\n</section>\n";
    html += std::string("<footer><p>") + T.Footer + "</p><p><a href=\"../api/scores?type=" + std::to_string(Page.Type) +
            "&amp;period=" + std::string(PeriodName(Page.Period)) + "\">" + T.Json + "</a></p></footer>\n";
    return html + "</main>\n</body>\n</html>\n";
}

std::string RenderJson(const TTablePage& Page) {
    std::string json = "{\"type\":" + std::to_string(Page.Type) + ",\"period\":\"" +
                       std::string(PeriodName(Page.Period)) + "\",\"scores\":[";
    for (size_t i = 0; i < Page.Rows.size(); ++i) {
        const TScoreRecord& row = Page.Rows[i];
        if (i > 0) {
            json += ',';
        }
        json += "{\"rank\":" + std::to_string(i + 1) + ",\"name\":" + JsonString(row.Name) + ",\"country\":" +
                JsonString(row.Country) + ",\"score\":" + std::to_string(row.Score) + ",\"time\":" +
                std::to_string(row.Time) + ",\"date\":\"" + DateText(row.Time) + "\"}";
    }
    return json + "]}\n";
}

std::string EscapeHtml(std::string_view Text) {
    std::string out;
    out.reserve(Text.size());
    for (const char c : Text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c; break;
        }
    }
    return out;
}

std::string JsonString(std::string_view Text) {
    std::string out = "\"";
    for (const char c : Text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[(c >> 4) & 15];
            out += kHex[c & 15];
        } else if (c == '<') {
            out += "\\u003c";
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string DateText(int64_t Time) {
    const std::time_t t = static_cast<std::time_t>(Time);
    std::tm parts{};
    if (!gmtime_r(&t, &parts)) {
        return "-";
    }
    char text[16];
    std::strftime(text, sizeof(text), "%Y-%m-%d", &parts);
    return text;
}

} // namespace PageRenderer
