#include "dbset/KeyedRecords.h"

#include "errors/Trap.h"

#include <limits>

namespace torvane {

void KeyedRecords::db_neuer_satz(std::uint8_t& nSet, std::int32_t& nDatnummer, std::int32_t& nRecord)
{
    Trap trap(errors_, "Error in D_Datenbank: Sub db_neuer_satz");
    std::array<dbases, 4>* tables = sets_.set(nSet);
    if (tables == nullptr)
        return;
    const std::size_t used = tablesInUse(nSet);
    for (std::size_t k = 0; k < used; ++k) {
        trap([&] { (*tables)[k].Go(dbases::AppendRecord); });
        trap([&] { (*tables)[k].Go(dbases::LastRecord); });
    }
    for (std::size_t k = 0; k < used; ++k)
        writeKey(nSet, k, nDatnummer);
    trap([&] { nRecord = (*tables)[0].hole_nummer(); });
}

std::int32_t KeyedRecords::groesste_Datnummer(std::uint8_t& nSet, std::string& sTable)
{
    Trap trap(errors_, "Error in D_Datenbank: Function groesste_Datnummer");
    std::int32_t noted = 0;
    trap([&] {
        if (const dbases* table = sets_.select(nSet, sTable))
            noted = table->hole_nummer();
    });
    // Visiting records 1..count and taking the largest cursor gives count
    // and leaves the table on its last record; only that end state matters.
    std::int32_t largest = -10;
    const std::int32_t count = sets_.anzahl_datensaetze(nSet, sTable);
    if (count >= 1) {
        largest = count;
        if (noted < 1 || noted > count) {
            std::int32_t last = count;
            sets_.erster_satz(nSet, sTable, last);
        }
    }
    sets_.erster_satz(nSet, sTable, noted);
    return largest;
}

std::int32_t KeyedRecords::erzeuge_neuen_datensatz(std::uint8_t& nSet)
{
    Trap trap(errors_, "Error in D_Datenbank: Function erzeuge_neuen_datensatz");
    std::array<dbases, 4>* tables = sets_.set(nSet);
    if (tables == nullptr)
        return 0;
    std::int32_t key = 0;
    trap([&] {
        std::string person(DatabaseSets::HandleNames[0]);
        const std::int32_t largest = groesste_Datnummer(nSet, person);
        if (largest == std::numeric_limits<std::int32_t>::max())
            throw RunError::raised(errnum::Overflow);
        key = largest + 1;
    });
    // An empty person table reports -10; keys start at 1 in both sets.
    if (key < 1)
        key = 1;
    std::int32_t record = 0;
    db_neuer_satz(nSet, key, record);
    for (std::size_t k = 0; k < tablesInUse(nSet); ++k)
        trap([&] { (*tables)[k].UpDate(); });
    return key;
}

void KeyedRecords::setze_auf_leeren_datensatz(std::uint8_t& nSet)
{
    if (sets_.set(nSet) == nullptr)
        return;
    std::int32_t key = erzeuge_neuen_datensatz(nSet);
    bool missing = false;
    synchronisiere_datenbanken(nSet, key, missing);
}

void KeyedRecords::synchronisiere_datenbanken(std::uint8_t& nSet, std::int32_t& nDatnummer, bool& bMissing)
{
    Trap trap(errors_, "Error in D_Datenbank: Sub synchronisiere_datenbanken");
    if (sets_.set(nSet) == nullptr)
        return;
    for (std::size_t k = 0; k < tablesInUse(nSet); ++k)
        positionOnKey(nSet, k, nDatnummer, trap);
    // Every table ends holding the key, appended where it was missing.
    bMissing = false;
}

std::size_t KeyedRecords::tablesInUse(std::uint8_t nSet) const
{
    return nSet == DatabaseSets::MainSet && sets_.db4_missing ? 3 : 4;
}

void KeyedRecords::positionOnKey(std::uint8_t& nSet, std::size_t k, std::int32_t key, Trap& trap)
{
    dbases& table = (*sets_.set(nSet))[k];
    std::int32_t found = 0;
    trap([&] {
        if (table.NoRecords() >= 1)
            found = table.firstRecordWithKey(key);
    });
    if (found > 0) {
        trap([&] { table.Go(found); });
        return;
    }
    trap([&] { table.Go(dbases::AppendRecord); });
    trap([&] { table.Go(dbases::LastRecord); });
    writeKey(nSet, k, key);
    std::string handle(DatabaseSets::HandleNames[k]);
    sets_.update_db(nSet, handle);
}

void KeyedRecords::writeKey(std::uint8_t& nSet, std::size_t k, std::int32_t key)
{
    std::string handle(DatabaseSets::HandleNames[k]);
    Variant field("DATNUMMER");
    Variant text(std::to_string(key));
    sets_.schreibe_datum(nSet, handle, field, text);
}

} // namespace torvane
