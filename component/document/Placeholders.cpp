#include "component/document/Placeholders.h"

#include "platform/text/cp1252.h"

#include <QLocale>

#include <array>

namespace docuvel {
namespace {

std::int16_t g_currentPageNumber = 0;
std::function<QDateTime()> g_clock;

QDateTime now() {
    return g_clock ? g_clock() : QDateTime::currentDateTime();
}

std::string bytes(const QString& s) {
    return cp1252::fromUtf8(s.toStdString());
}

std::string longDate(const QDate& d) {
    const QLocale locale;
    return bytes(locale.dayName(d.dayOfWeek(), QLocale::LongFormat) + ", " +
                 locale.monthName(d.month(), QLocale::LongFormat) + ' ' + QString::number(d.day()) +
                 ", " + QString::number(d.year()));
}

std::string mediumDate(const QDate& d) {
    const QLocale locale;
    return bytes(locale.monthName(d.month(), QLocale::ShortFormat) + ' ' +
                 QStringLiteral("%1").arg(d.day(), 2, 10, QLatin1Char('0')) + ", " +
                 QString::number(d.year()));
}

std::string shortDate(const QDate& d) {
    return std::to_string(d.month()) + '/' + std::to_string(d.day()) + '/' +
           bytes(QStringLiteral("%1").arg(d.year() % 100, 2, 10, QLatin1Char('0')));
}

std::string twoDigits(int v) {
    return (v < 10 ? "0" : "") + std::to_string(v);
}

std::string time24(const QTime& t) {
    return twoDigits(t.hour()) + ':' + twoDigits(t.minute());
}

std::string time12(const QTime& t) {
    const int h = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    return std::to_string(h) + ':' + twoDigits(t.minute()) + (t.hour() < 12 ? " am" : " pm");
}

struct Placeholder {
    std::string_view mark;
    std::string (*expand)();
};

const std::array<Placeholder, 7> kPlaceholders{{
    {"@@@@",
     [] {
         return longDate(now().date());
     }},
    {"@@@",
     [] {
         return mediumDate(now().date());
     }},
    {"@@",
     [] {
         return shortDate(now().date());
     }},
    {":::",
     [] {
         return time24(now().time());
     }},
    {"::",
     [] {
         return time12(now().time());
     }},
    {"##",
     [] {
         return std::to_string(g_currentPageNumber);
     }},
    {"\t",
     [] {
         return std::string(5, ' ');
     }},
}};

} // namespace

std::int16_t currentPageNumber() {
    return g_currentPageNumber;
}
void setCurrentPageNumber(std::int16_t page) {
    g_currentPageNumber = page;
}
void setPlaceholderClock(std::function<QDateTime()> clock) {
    g_clock = std::move(clock);
}

bool holdsPlaceholder(std::string_view text) {
    return text.find("@@") != std::string_view::npos || text.find("::") != std::string_view::npos ||
           text.find("##") != std::string_view::npos;
}

std::string ExpandPlaceholders(std::string_view text) {
    std::string out(text);
    for (bool changed = true; changed;) {
        changed = false;
        for (const Placeholder& p : kPlaceholders) {
            const auto at = out.find(p.mark);
            if (at == std::string::npos)
                continue;
            if (p.mark == "\t" && at + 1 == out.size())
                out.erase(at, 1);
            else
                out.replace(at, p.mark.size(), p.expand());
            changed = true;
            break;
        }
    }
    return out;
}

} // namespace docuvel
