#include "catalogue/CasillaStorage.h"

#include "base/ItfCasillas.h"
#include "catalogue/CasillaCatalog.h"

#include <QList>
#include <QStringList>
#include <utility>

namespace qel::declaration {

namespace {

using Range = std::pair<int, int>;

bool inRanges(int n, const QList<Range>& ranges) {
    for (const auto& [first, last] : ranges) {
        if (n >= first && n <= last) {
            return true;
        }
    }
    return false;
}

// Answers of option buttons and check boxes.
const QList<Range> kAnswers = {{213, 213}, {215, 215}, {217, 219}, {289, 289}, {292, 292}, {444, 444},
                               {661, 662}, {780, 780}, {802, 805}, {807, 810}, {813, 813}, {816, 816},
                               {819, 823}, {827, 827}, {829, 830}, {840, 840}, {860, 860}, {870, 870},
                               {873, 875}, {878, 878}, {880, 880}, {895, 895}};

// The casilla table of the detail windows that the form keeps in memory.
const Range kDetailTable = {676, 699};

// Casillas that the form shows in no box.
const QList<Range> kKeptOutOfBoxes = {
    {2, 2},     {5, 5},     {7, 7},     {12, 12},   {15, 15},   {202, 204}, {250, 264}, {318, 324}, {395, 397},
    {495, 497}, {510, 559}, {590, 597}, {600, 639}, {656, 656}, {659, 659}, {705, 716}, {721, 721}, {727, 752},
    {755, 778}, {782, 782}, {790, 797}, {801, 801}, {833, 838}, {861, 868}, {881, 899}};

// Rows of DET that the detail windows write.
const QList<Range> kWindowRows = {{202, 204}, {250, 264}, {318, 319}, {321, 324}, {395, 397}, {495, 497}, {510, 559},
                                  {590, 590}, {594, 597}, {600, 609}, {611, 619}, {621, 629}, {631, 639}, {656, 659},
                                  {694, 697}, {727, 752}, {833, 838}, {861, 868}, {881, 894}, {896, 899}};

// Detail values the form keeps in memory, by the casilla that sums them up: the legal
// distribution of the income (486), the other untaxed income by source (476) and the
// monthly net income of the payments on account (128).
struct Summed {
    Range casillas;
    int summary;
};
const QList<Summed> kSummed = {{{432, 438}, 486}, {{674, 675}, 476}, {{688, 699}, 128}};

// Codes, order numbers, document data, coefficients, e-mail addresses and the ubigeo.
const QList<Range> kTexts = {{15, 15},   {207, 207}, {209, 209}, {211, 212}, {221, 221},
                             {224, 226}, {245, 245}, {247, 254}, {580, 582}, {610, 610},
                             {686, 687}, {721, 721}, {790, 790}, {812, 812}, {871, 871}};

// The detail windows that edit a working copy of their box-less casillas.
const QStringList kWorkingWindows = {
    QStringLiteral("frmcostos"),   QStringLiteral("frmpergan"),    QStringLiteral("frmpergan2015"),
    QStringLiteral("frmanexo108"), QStringLiteral("frmvehiculos"), QStringLiteral("frmanexo103"),
    QStringLiteral("frmanexo105"), QStringLiteral("frmanexo317a"), QStringLiteral("frmanexo328b")};

Storage whereOf(int n, bool heldByControl) {
    if (heldByControl && !inRanges(n, kKeptOutOfBoxes)) {
        return Storage::Control;
    }
    if (inRanges(n, kAnswers)) {
        return Storage::Answer;
    }
    if (n >= kDetailTable.first && n <= kDetailTable.second) {
        return Storage::DetailTable;
    }
    return inRanges(n, kKeptOutOfBoxes) ? Storage::Kept : Storage::Box;
}

int summaryOf(int n) {
    for (const Summed& entry : kSummed) {
        if (n >= entry.casillas.first && n <= entry.casillas.second) {
            return entry.summary;
        }
    }
    return 0;
}

} // namespace

CasillaStorage CasillaStorage::of(int number, const CasillaDef* def, bool heldByControl) {
    CasillaStorage s;
    s.where = whereOf(number, heldByControl);
    s.text = inRanges(number, kTexts) || (def != nullptr && def->storedAsText);
    s.itf = app::isItfCasilla(number);
    s.summary = summaryOf(number);
    // Besides the listed rows, every box-less casilla the catalogue gives to a detail window,
    // except those the save writes from the form's memory.
    s.windowRow =
        inRanges(number, kWindowRows) || (s.summary == 0 && def != nullptr && !def->hasBox && !def->window.isEmpty());
    s.working = def != nullptr && !def->hasBox && kWorkingWindows.contains(def->window.toLower());
    return s;
}

} // namespace qel::declaration
