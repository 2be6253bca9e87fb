#include "sample/SamplePractice.h"

#include "platform/Cp1252.h"
#include "resources/Templates.h"
#include "sample/SampleTable.h"

#include <random>
#include <string_view>
#include <vector>

namespace torvane::sample {
namespace {

constexpr std::string_view Surnames[] = {
    "Müller",
    "Schmidt",
    "Schneider",
    "Fischer",
    "Weber",
    "Meyer",
    "Wagner",
    "Becker",
    "Schulz",
    "Hoffmann",
    "Schäfer",
    "Koch",
    "Bauer",
    "Richter",
    "Klein",
    "Wolf",
    "Schröder",
    "Neumann",
    "Schwarz",
    "Zimmermann",
    "Braun",
    "Krüger",
    "Hofmann",
    "Hartmann",
    "Lange",
    "Schmitt",
    "Werner",
    "Schmitz",
    "Krause",
    "Meier",
    "Lehmann",
    "Schmid",
    "Schulze",
    "Maier",
    "Köhler",
    "Herrmann",
    "König",
    "Walter",
    "Mayer",
    "Huber",
    "Kaiser",
    "Fuchs",
    "Peters",
    "Lang",
    "Scholz",
    "Möller",
    "Weiß",
    "Jung",
    "Hahn",
    "Schubert",
    "Vogel",
    "Friedrich",
    "Keller",
    "Günther",
    "Frank",
    "Berger",
    "Winkler",
    "Roth",
    "Beck",
    "Lorenz",
    "Baumann",
    "Franke",
    "Albrecht",
    "Schuster",
    "Simon",
    "Ludwig",
    "Böhm",
    "Winter",
    "Kraus",
    "Martin",
    "Schumacher",
    "Krämer",
    "Vogt",
    "Stein",
    "Jäger",
    "Otto",
    "Sommer",
    "Groß",
    "Seidel",
    "Heinrich",
    "Brandt",
    "Haas",
    "Schreiber",
    "Graf",
    "Schulte",
    "Dietrich",
    "Ziegler",
    "Kuhn",
    "Kühn",
    "Pohl",
    "Engel",
    "Horn",
    "Busch",
    "Bergmann",
    "Thomas",
    "Voigt",
    "Sauer",
    "Arnold",
    "Wolff",
    "Pfeiffer",
    "Müller-Lüdenscheidt",
    "von Bülow",
    "O'Connor",
    "Dupré",
    "Özdemir",
    "Nowak",
    "Kowalski",
};
constexpr std::string_view MaleNames[] = {
    "Peter",     "Michael",    "Thomas",   "Andreas", "Wolfgang", "Klaus",    "Jürgen",     "Günter",  "Stefan",
    "Christian", "Uwe",        "Werner",   "Horst",   "Frank",    "Dieter",   "Manfred",    "Gerhard", "Hans",
    "Bernd",     "Torsten",    "Matthias", "Jörg",    "Helmut",   "Ralf",     "Sven",       "Björn",   "Lukas",
    "Jonas",     "Maximilian", "Felix",    "Leon",    "Paul",     "Jan-Erik", "Karl-Heinz", "René",    "Søren",
};
constexpr std::string_view FemaleNames[] = {
    "Ursula", "Monika",      "Petra",        "Elisabeth", "Sabine",  "Renate",  "Helga",    "Karin",     "Brigitte",
    "Ingrid", "Erika",       "Andrea",       "Gisela",    "Claudia", "Susanne", "Gabriele", "Christa",   "Birgit",
    "Jutta",  "Anna",        "Lena",         "Lea",       "Jana",    "Jülide",  "Käthe",    "Hannelore", "Bärbel",
    "Doris",  "Marie-Luise", "Anne-Kathrin", "Zoë",       "Chloé",   "Maren",   "Sophie",   "Emma",      "Mia",
};
constexpr std::string_view Streets[] = {
    "Hauptstraße",
    "Schulstraße",
    "Gartenstraße",
    "Bahnhofstraße",
    "Dorfstraße",
    "Bergstraße",
    "Birkenweg",
    "Lindenstraße",
    "Kirchstraße",
    "Waldstraße",
    "Ringstraße",
    "Am Mühlbach",
    "Schillerstraße",
    "Goethestraße",
    "Jahnstraße",
    "Friedhofsweg",
    "Rosenweg",
    "Am Anger",
    "Königsallee",
    "Tannenweg",
    "Wiesengrund",
    "Hölderlinstraße",
    "Bürgermeister-Smidt-Str.",
};
constexpr std::string_view Towns[] = {
    "Berlin",
    "Hamburg",
    "München",
    "Köln",
    "Frankfurt am Main",
    "Stuttgart",
    "Düsseldorf",
    "Leipzig",
    "Dortmund",
    "Essen",
    "Bremen",
    "Dresden",
    "Hannover",
    "Nürnberg",
    "Duisburg",
    "Bochum",
    "Würzburg",
    "Göttingen",
    "Lüneburg",
    "Fürth",
    "Bad Tölz",
    "Neustadt a.d. Weinstr.",
    "Saarbrücken",
    "Osnabrück",
    "Gießen",
    "Jena",
    "Weißenfels",
};
constexpr std::string_view Users[] = {"Dr. Weber", "Dr. med. dent. Hartmann", "ZA Köhler", "Praxis_Team", "Empfang"};
constexpr std::string_view Institutes[] = {
    "Zahnarztpraxis am Markt",
    "Praxis Dr. Hartmann & Partner",
    "MVZ Zahngesundheit GmbH",
    "Gemeinschaftspraxis (Süd)",
};
constexpr std::string_view Comments[] = {
    "Patient klagt über Schmerzen im Unterkiefer rechts",
    "Kontrolle in 6 Monaten, Zahnstein entfernt",
    "Füllung 36 erneuert; Patient zufrieden!",
    "Röntgen: OPG angefertigt (siehe Akte)",
    "Allergie: Penicillin / Latex",
    "PZR empfohlen - Termin vereinbart",
    "Bruxismus, Aufbissschiene #2",
    "Parodontitis: Taschen 4-6 mm, Blutung +",
    "Überweisung an Kieferchirurgie: Weisheitszahn 48",
    "Heil- und Kostenplan erstellt, Genehmigung abwarten",
};
constexpr char Findings[] = {'x', 'f', 'k', 'c', 'e', 'i', 'r', 'w', 'b', 'K',
                             'F', '/', ')', '(', '+', '~', '?', '1', '2'};

class Generator {
public:
    Generator(const SampleOptions& options) : options_(options), random_(options.seed) {}

    void write(Env& env, const std::string& folder);

private:
    struct Patient {
        std::string key;
        int number; // the key's value when it is one, else 0
        bool female;
    };

    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    template <std::size_t N>
    std::string pick(const std::string_view (&list)[N])
    {
        return cp1252::ansi(list[between(0, N - 1)]);
    }
    std::string digits(int count);
    std::string date(int fromYear, int toYear);

    std::vector<Patient> makePatients();
    std::string personRecord(const SampleTable& table, const Patient& patient);
    std::string kvxdat1Record(const SampleTable& table, const Patient& patient);
    std::string kvxdat2Record(const SampleTable& table, const Patient& patient);
    std::string kvxdat3Record(const SampleTable& table, const Patient& patient);
    template <class MakeRecord>
    void writeExamTable(SampleTable& table, const std::vector<Patient>& patients, MakeRecord make);
    void flagDeleted(std::string& record)
    {
        if (chance(0.005))
            record[0] = '*';
    }

    SampleOptions options_;
    std::mt19937 random_;
};

std::string Generator::digits(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += static_cast<char>('0' + between(0, 9));
    return text;
}

std::string Generator::date(int fromYear, int toYear)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", between(fromYear, toYear), between(1, 12), between(1, 28));
    return buffer;
}

std::vector<Generator::Patient> Generator::makePatients()
{
    std::vector<Patient> patients;
    patients.reserve(static_cast<std::size_t>(options_.patients));
    int next = 1;
    for (int i = 0; i < options_.patients; ++i) {
        Patient p{std::to_string(next), next, chance(0.52)};
        if (!patients.empty() && chance(0.005)) {
            p = patients.back(); // the same key twice
        } else if (chance(0.004)) {
            p.key = "";
            p.number = 0;
        } else if (chance(0.002)) {
            p.key = "0";
            p.number = 0;
        } else if (chance(0.002)) {
            p.key = "-" + std::to_string(between(1, 99));
            p.number = 0;
        } else if (chance(0.002)) {
            p.key = std::to_string(next) + ".5";
            p.number = 0;
        } else {
            if (chance(0.01))
                p.key = " " + p.key; // written right-aligned by some other tool
            ++next;
            if (chance(0.02))
                next += between(1, 5); // gaps from patients deleted long ago
        }
        patients.push_back(p);
    }
    return patients;
}

std::string Generator::personRecord(const SampleTable& t, const Patient& p)
{
    std::string r = t.blankRecord();
    t.set(r, "DATNUMMER", p.key);
    const double kind = std::uniform_real_distribution<double>(0, 1)(random_);
    if (kind < 0.01) {
        t.set(r, "NACHNAME", "Neuer_Patient");
    } else if (kind < 0.015) {
        t.set(r, "NACHNAME", "neuer_patient"); // not the placeholder: case counts
    } else if (kind < 0.025) {
        t.set(r, "NACHNAME", chance(0.5) ? "   " : ""); // nameless
    } else if (kind < 0.035) {
        t.set(r, "VORNAME", p.female ? pick(FemaleNames) : pick(MaleNames)); // first name only
    } else {
        t.set(r, "NACHNAME", pick(Surnames));
        t.set(r, "VORNAME", p.female ? pick(FemaleNames) : pick(MaleNames));
    }
    t.set(r, "GEBDATUM", date(1925, 2020));
    t.set(r, "STRASSE", pick(Streets) + " " + std::to_string(between(1, 180)) + (chance(0.1) ? "/2" : ""));
    t.set(r, "PLZ", digits(5));
    t.set(r, "ORT", pick(Towns));
    t.set(r, "ANREDE", p.female ? "Frau" : "Herr");
    t.set(r, "GEEHRTER", p.female ? "geehrte" : "geehrter");
    t.set(r, "PATNR", "P-" + digits(7));
    t.set(r, "UNTDATUM", date(2005, 2026));
    t.set(r, "SERNR", "SN_" + digits(12));
    t.set(r, "BENUTZER", pick(Users));
    t.set(r, "INSTITUT", pick(Institutes));
    flagDeleted(r);
    return r;
}

std::string Generator::kvxdat1Record(const SampleTable& t, const Patient& p)
{
    std::string r = t.blankRecord();
    t.set(r, "DATNUMMER", p.key);
    t.set(r, "GESCHLECHT", p.female ? "W" : "M");
    t.set(r, "UNTDATUM", date(2005, 2026));
    t.set(r, "GEBDATUM", date(1925, 2020));
    for (const std::string& name : t.fieldNames()) {
        if (name.rfind("TW1", 0) == 0 && chance(0.4))
            t.set(r, name,
                  std::to_string(between(0, 9)) + "," + std::to_string(between(0, 9)) + (chance(0.1) ? " mm" : ""));
        else if (name.rfind("TWW", 0) == 0 && chance(0.08))
            t.set(r, name, pick(Comments));
        else if (name.rfind("T13", 0) == 0 && chance(0.3))
            t.set(r, name, chance(0.8) ? "J" : "?");
    }
    flagDeleted(r);
    return r;
}

std::string Generator::kvxdat2Record(const SampleTable& t, const Patient& p)
{
    std::string r = t.blankRecord();
    t.set(r, "DATNUMMER", p.key);
    for (const std::string& name : t.fieldNames()) {
        if (name != "DATNUMMER" && chance(0.15))
            t.set(r, name, std::string(1, Findings[between(0, sizeof Findings - 1)]));
    }
    flagDeleted(r);
    return r;
}

std::string Generator::kvxdat3Record(const SampleTable& t, const Patient& p)
{
    std::string r = t.blankRecord();
    t.set(r, "DATNUMMER", p.key);
    for (const std::string& name : t.fieldNames()) {
        if (name == "DATNUMMER" || !chance(0.25))
            continue;
        const int width = t.width(name);
        if (width >= 48)
            t.set(r, name, pick(Comments));
        else if (width >= 10)
            t.set(r, name, date(2005, 2026));
        else if (width >= 3)
            t.set(r, name, digits(width));
        else
            t.set(r, name, chance(0.9) ? "1" : "_");
    }
    flagDeleted(r);
    return r;
}

// Most patients have one row per examination table; some have none, some
// two, some rows belong to no patient, and the order is not quite sorted.
template <class MakeRecord>
void Generator::writeExamTable(SampleTable& table, const std::vector<Patient>& patients, MakeRecord make)
{
    std::vector<std::string> rows;
    for (const Patient& p : patients) {
        if (chance(0.03))
            continue;
        rows.push_back(make(table, p));
        if (chance(0.01))
            rows.push_back(make(table, p));
        if (chance(0.005)) {
            Patient orphan{std::to_string(900000 + between(0, 99999)), 0, p.female};
            rows.push_back(make(table, orphan));
        }
        if (rows.size() >= 2 && chance(0.01))
            std::swap(rows[rows.size() - 1], rows[rows.size() - 2]);
        if (rows.size() >= 256) {
            for (const std::string& row : rows)
                table.append(row);
            rows.clear();
        }
    }
    for (const std::string& row : rows)
        table.append(row);
    table.finish();
}

void Generator::write(Env& env, const std::string& folder)
{
    const std::vector<Patient> patients = makePatients();
    SampleTable person(env, folder + "person.kvt", templateBlob(101));
    for (const Patient& p : patients)
        person.append(personRecord(person, p));
    person.finish();

    SampleTable kvxdat1(env, folder + "kvxdat1.kvt", templateBlob(102));
    writeExamTable(kvxdat1, patients, [this](const SampleTable& t, const Patient& p) { return kvxdat1Record(t, p); });
    SampleTable kvxdat2(env, folder + "kvxdat2.kvt", templateBlob(103));
    writeExamTable(kvxdat2, patients, [this](const SampleTable& t, const Patient& p) { return kvxdat2Record(t, p); });
    if (options_.withKvxdat3) {
        SampleTable kvxdat3(env, folder + "kvxdat3.kvt", templateBlob(104));
        writeExamTable(kvxdat3, patients,
                       [this](const SampleTable& t, const Patient& p) { return kvxdat3Record(t, p); });
    }
}

} // namespace

void writeSamplePractice(Env& env, const std::string& folder, const SampleOptions& options)
{
    Generator(options).write(env, folder);
}

} // namespace torvane::sample
