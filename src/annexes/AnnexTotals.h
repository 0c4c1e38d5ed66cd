#pragma once

#include "store/DeclarationKey.h"

namespace qel::store {
class Database;
}

namespace qel::annexes {

// The figures of the annex tables that casillas and rules of the form read: counts and sums
// over the working tables of the open declaration, summed with val() as every total is.
class AnnexTotals {
public:
    struct Vehicles {
        int rows = 0;            // vehicles detailed
        int identified = 0;      // identified for the deduction of their expenses (ind_ded_gasto '1')
        int substituting = 0;    // replacing another vehicle (ind_sustitucion '1')
        double expenses = 0;     // sum of mto_gasto of the identified ones
        double depreciation = 0; // sum of mto_dep of the identified ones
    };
    struct Partners {
        int rows = 0;      // every row, the consolidated rest included
        int principal = 0; // rows other than the consolidated rest ("05")
        double shares = 0; // sum of the shares of every row, to two decimals
    };

    static Vehicles vehicles(store::Database& db, const store::DeclarationKey& key);
    static Partners partners(store::Database& db, const store::DeclarationKey& key);
    // The mining concessions declared under one annex number (1 linked with stabilised
    // investments, 2 not linked).
    static int concessions(store::Database& db, const store::DeclarationKey& key, int annexNumber);
    // The participants of one collaboration contract.
    static int participants(store::Database& db, const store::DeclarationKey& key, const QString& contract);
};

} // namespace qel::annexes
