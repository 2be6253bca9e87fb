#include "dbset/DatabaseSets.h"

#include "errors/Trap.h"
#include "platform/Cp1252.h"
#include "resources/Templates.h"

namespace torvane {

DatabaseSets::DatabaseSets(Env& env, ErrorReporter& errors, Paths& paths)
    : db_main{dbases(env), dbases(env), dbases(env), dbases(env)},
      db_temp{dbases(env), dbases(env), dbases(env), dbases(env)},
      errors_(errors),
      paths_(paths)
{
}

void DatabaseSets::open_database(std::uint8_t& nSet, std::string& folder)
{
    Trap trap(errors_, "Error in D_Datenbank: Sub open_database");
    std::array<dbases, 4>* tables = set(nSet);
    if (tables == nullptr)
        return;
    paths_.pathcomplete(folder);
    for (dbases& table : *tables)
        trap([&] { table.FileClose(); });

    if (nSet == TempSet) {
        for (std::size_t k = 0; k < tables->size(); ++k)
            trap([&] { db_temp[k].FileOpen(folder + TableNames[k].base + "temp.kvt"); });
        return;
    }
    for (std::size_t k = 0; k < 3; ++k)
        trap([&] { db_main[k].FileOpen(folder + TableNames[k].base + ".kvt"); });
    const std::string kvxdat3 = folder + TableNames[3].base + ".kvt";
    // kvxdat3 taken for missing unnoticed would lose every patient's rows in it.
    bool present = false;
    trap([&] { present = paths_.fileExistsOrRaise(kvxdat3); });
    if (present) {
        trap([&] { db_main[3].FileOpen(kvxdat3); });
        db4_missing = false;
    } else {
        db4_missing = true;
    }
}

void DatabaseSets::Close_db(std::uint8_t& nSet)
{
    Trap trap(errors_, "Error in D_Datenbank: Sub Close_db");
    for (dbases& table : nSet == MainSet ? db_main : db_temp)
        trap([&] { table.FileClose(); });
}

std::int32_t DatabaseSets::anzahl_datensaetze(std::uint8_t& nSet, std::string& sTable)
{
    std::int32_t count = 0;
    Trap trap(errors_, "Error in D_Datenbank: Function anzahl_datensaetze");
    trap([&] {
        if (const dbases* table = select(nSet, sTable))
            count = table->NoRecords();
    });
    return count;
}

Variant DatabaseSets::hole_datum(std::uint8_t& nSet, std::string& sTable, Variant& vField)
{
    Variant value;
    Trap trap(errors_, "Error in D_Datenbank: Function hole_datum");
    trap([&] {
        if (const dbases* table = select(nSet, sTable))
            value = table->GetData(vField);
    });
    return value;
}

void DatabaseSets::schreibe_datum(std::uint8_t& nSet, std::string& sTable, Variant& vField, Variant& vData)
{
    Trap trap(errors_, "Error in D_Datenbank: Sub schreibe_datum");
    trap([&] {
        if (dbases* table = select(nSet, sTable))
            table->WriteData(vField, vData);
    });
}

void DatabaseSets::update_db(std::uint8_t& nSet, std::string& sTable)
{
    writeRecord(nSet, sTable, "Error in D_Datenbank: Sub update_db");
}

void DatabaseSets::schreibe_gesamt(std::uint8_t& nSet, std::string& sTable)
{
    writeRecord(nSet, sTable, "Error in D_Datenbank: Sub schreibe_gesamt");
}

void DatabaseSets::erster_satz(std::uint8_t& nSet, std::string& sTable, std::int32_t& nRec)
{
    Trap trap(errors_, "Error in D_Datenbank: Sub erster_satz");
    trap([&] {
        if (dbases* table = select(nSet, sTable))
            table->Go(nRec);
    });
}

std::array<dbases, 4>* DatabaseSets::set(std::uint8_t nSet)
{
    switch (nSet) {
    case MainSet:
        return &db_main;
    case TempSet:
        return &db_temp;
    default:
        return nullptr;
    }
}

dbases* DatabaseSets::select(std::uint8_t nSet, std::string& sTable)
{
    sTable = cp1252::upperCase(sTable);
    std::array<dbases, 4>* tables = set(nSet);
    if (tables == nullptr)
        return nullptr;
    for (std::size_t k = 0; k < HandleNames.size(); ++k) {
        if (sTable == HandleNames[k])
            return &(*tables)[k];
    }
    return nullptr;
}

void DatabaseSets::writeRecord(std::uint8_t& nSet, std::string& sTable, const char* location)
{
    Trap trap(errors_, location);
    trap([&] {
        if (dbases* table = select(nSet, sTable))
            table->UpDate();
    });
}

} // namespace torvane
