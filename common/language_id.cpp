#include "common/language_id.h"

#include <iterator>

namespace tandrel {

namespace {

struct Entry {
    QLocale::Language language;
    QLocale::Territory territory;
    quint16 id;
};

// The first entry of each language is its main id.
const Entry table[] = {
    {QLocale::English, QLocale::UnitedStates, 0x0409},
    {QLocale::English, QLocale::UnitedKingdom, 0x0809},
    {QLocale::English, QLocale::Australia, 0x0C09},
    {QLocale::English, QLocale::Canada, 0x1009},
    {QLocale::English, QLocale::NewZealand, 0x1409},
    {QLocale::English, QLocale::Ireland, 0x1809},
    {QLocale::German, QLocale::Germany, 0x0407},
    {QLocale::German, QLocale::Switzerland, 0x0807},
    {QLocale::German, QLocale::Austria, 0x0C07},
    {QLocale::French, QLocale::France, 0x040C},
    {QLocale::French, QLocale::Belgium, 0x080C},
    {QLocale::French, QLocale::Canada, 0x0C0C},
    {QLocale::French, QLocale::Switzerland, 0x100C},
    {QLocale::Spanish, QLocale::Spain, 0x0C0A},
    {QLocale::Spanish, QLocale::Mexico, 0x080A},
    {QLocale::Italian, QLocale::Italy, 0x0410},
    {QLocale::Dutch, QLocale::Netherlands, 0x0413},
    {QLocale::Dutch, QLocale::Belgium, 0x0813},
    {QLocale::Portuguese, QLocale::Brazil, 0x0416},
    {QLocale::Portuguese, QLocale::Portugal, 0x0816},
    {QLocale::Danish, QLocale::Denmark, 0x0406},
    {QLocale::Swedish, QLocale::Sweden, 0x041D},
    {QLocale::NorwegianBokmal, QLocale::Norway, 0x0414},
    {QLocale::Finnish, QLocale::Finland, 0x040B},
    {QLocale::Polish, QLocale::Poland, 0x0415},
    {QLocale::Czech, QLocale::CzechRepublic, 0x0405},
    {QLocale::Hungarian, QLocale::Hungary, 0x040E},
    {QLocale::Greek, QLocale::Greece, 0x0408},
    {QLocale::Turkish, QLocale::Turkey, 0x041F},
    {QLocale::Russian, QLocale::Russia, 0x0419},
    {QLocale::Japanese, QLocale::Japan, 0x0411},
    {QLocale::Korean, QLocale::SouthKorea, 0x0412},
    {QLocale::Chinese, QLocale::China, 0x0804},
    {QLocale::Chinese, QLocale::Taiwan, 0x0404},
};

} // namespace

quint16 languageIdForLocale(const QLocale& locale) {
    if (locale.language() == QLocale::C) {
        return 0x0409;
    }
    const Entry* main = nullptr;
    for (const Entry& entry : table) {
        if (entry.language != locale.language()) {
            continue;
        }
        if (entry.territory == locale.territory()) {
            return entry.id;
        }
        if (main == nullptr) {
            main = &entry;
        }
    }
    return main != nullptr ? main->id : 0;
}

} // namespace tandrel
