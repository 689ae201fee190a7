#pragma once

#include "core/Language.h"

#include <QString>
#include <optional>

// The industry the user chose to compare with: its NAICS code and its title
// in the language it was chosen in.
struct ChosenIndustry
{
    QString naics;
    QString title;

    bool operator==(const ChosenIndustry &) const = default;
};

// The data set compared with: a volume and, for volume 3, a region ("ALL"
// for Canada).
struct DatasetChoice
{
    int volume = 0;
    QString region;

    bool operator==(const DatasetChoice &) const = default;
};

// The choices a statement workflow runs with, whatever the front end.
struct SessionChoices
{
    Language language = Language::English;
    DatasetChoice dataset;
};
