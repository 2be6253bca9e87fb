#pragma once

#include "dbset/DatabaseSets.h"
#include "dbset/KeyedRecords.h"
#include "dbset/ValueFitting.h"
#include "errors/ErrorReporter.h"
#include "files/Paths.h"
#include "platform/Env.h"

namespace torvane {

// The two database sets with their eight table objects, and the routines
// that create, position and fit records in them.
struct Databases {
    Databases(Env& env, ErrorReporter& errors, Paths& paths)
        : sets(env, errors, paths), keyed(sets, errors), fitting(errors)
    {
    }

    Databases(const Databases&) = delete;
    Databases& operator=(const Databases&) = delete;

    DatabaseSets sets;
    KeyedRecords keyed;
    ValueFitting fitting;
};

} // namespace torvane
