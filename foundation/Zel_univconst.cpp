#include "foundation/Zel_univconst.h"

namespace zel {

namespace {
constexpr std::array<const char*, 7> kDaysEn = {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"};
constexpr std::array<const char*, 12> kMonthsShortEn = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<const char*, 12> kMonthsLongEn = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
}  // namespace

const std::array<std::array<const char*, 7>, kNumLanguages> WeekDayShort = {{
    kDaysEn,
    kDaysEn,
    {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"},
    {"Lu", "Ma", "Me", "Je", "Ve", "Sa", "Di"},
    {"Lu", "Ma", "Mi", "Ju", "Vi", "Sá", "Do"},
}};

const std::array<std::array<const char*, 12>, kNumLanguages> MonthShort = {{
    kMonthsShortEn,
    kMonthsShortEn,
    {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
    {"Janv", "Févr", "Mars", "Avr", "Mai", "Juin", "Juil", "Août", "Sept", "Oct", "Nov", "Déc"},
    {"Ene", "Feb", "Mar", "Abr", "May", "Jun", "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"},
}};

const std::array<std::array<const char*, 12>, kNumLanguages> MonthLong = {{
    kMonthsLongEn,
    kMonthsLongEn,
    {"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober",
     "November", "Dezember"},
    {"Janvier", "Février", "Mars", "Avril", "Mai", "Juin", "Juillet", "Août", "Septembre",
     "Octobre", "Novembre", "Décembre"},
    {"Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Agosto", "Septiembre",
     "Octubre", "Noviembre", "Diciembre"},
}};

}  // namespace zel
