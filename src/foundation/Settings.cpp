#include "foundation/Settings.h"

const TextSettingInfo& SettingInfo(TextSetting s) {
    static const TextSettingInfo infos[TextSettingCount] = {
        {"CaptionEd", QStringLiteral("Speisekarte")},
        {"FussEd", QStringLiteral("Unsere Preise beinhalten Bedienugsgeld und die ges. "
                                  "Mehrwertsteuer")},
        {"KopfEd", QString()},
        {"WaehrEd", QStringLiteral("€")},
        {"FilenameEdit2", QStringLiteral("paper.jpg")},
    };
    return infos[int(s)];
}

const FlagSettingInfo& SettingInfo(FlagSetting s) {
    static const FlagSettingInfo infos[FlagSettingCount] = {
        {"RahmenCheck", true},     {"CapsCheck", true},           {"ZentrCheck", true},
        {"NoKommaCheck", false},   {"NewPageForKatCheck", false}, {"NoPointsCheck", false},
        {"CenterKatCheck", false}, {"OnlyContainedCheck", true},  {"SVerh2Check", true},
        {"GrayScaleCheck", false}, {"LightenCheck", true},
    };
    return infos[int(s)];
}

const NumberSettingInfo& SettingInfo(NumberSetting s) {
    static const NumberSettingInfo infos[NumberSettingCount] = {
        {"LinksEd", 25, 0, 1000, 1, 2},     {"ObenEd", 25, 0, 1000, 1, 2},
        {"RechtsEd", 25, 0, 1000, 1, 2},    {"UntenEd", 25, 0, 1000, 1, 2},
        {"BreitEd2", 23, 1, 10000, 0.1, 2}, {"HochEd2", 10, 1, 10000, 0.1, 2},
        {"HellEd", 50, 1, 100, 1, 0},       {"SatEd", 0, -100, 200, 1, 0},
    };
    return infos[int(s)];
}
