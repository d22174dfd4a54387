#pragma once

#include "core/app/FileSystem.h"
#include "core/app/Status.h"
#include "core/effects/CompiledEffects.h"
#include "core/firmware/SimulateList.h"

#include <cstddef>
#include <string>
#include <vector>

namespace lumaro {

// The table layer of the firmware sources: "DSPPTN.H" (one show pattern per
// program group), "CSTGRP.h" (lamp sequences, band lists, colour lists) and
// "GETPTN.c" (accessors over them), made from the compiled tables of
// "Creat Data". Owns the five text lists; each build replaces its list.
class CFirmwareText {
public:
    static constexpr const char* kShowPatternFile = "DSPPTN.H";
    static constexpr const char* kGroupTablesFile = "CSTGRP.h";
    static constexpr const char* kGetterSourceFile = "GETPTN.c";
    static constexpr const char* kCannotCreateKey = "MODETESTDOC_ONOUTTEXT_FTCD";

    // What a text write stores: the show-pattern list, the three group
    // lists in table order, or the getter source.
    enum class Output { ShowPattern = 1, GroupTables = 2, GetterSource = 3 };

    CSimulateList showPattern;
    CSimulateList lampSequenceText;
    CSimulateList bandListText;
    CSimulateList colourListText;
    CSimulateList getterSource;

    // Set by BuildGroupTables; the build report shows them.
    std::size_t colourListCount = 0;
    std::size_t lampSequenceCount = 0;
    std::size_t bandListCount = 0;

    void BuildShowPattern(const CCompiledEffects& compiled);
    // All three lists are built even when one table is over its limit; the
    // first such table's message is returned, and every one is in overLimits.
    Status BuildGroupTables(const CCompiledEffects& compiled);
    // The message of each table over its limit at the last build, in table
    // order, so that each can be told.
    std::vector<Status> overLimits;
    void BuildGetterSource(const CCompiledEffects& compiled);

    // The bytes a text write of that kind stores, from the lists as built.
    std::string TextOf(Output output) const;

    // "DSPPTN.H" then "CSTGRP.h" into folder (the data command). Both files
    // are written even when the other fails or a table is over its limit;
    // the first failure is returned.
    Status WriteTables(const CCompiledEffects& compiled, const fs::path& folder);
    // "GETPTN.c" into folder.
    Status WriteGetterSource(const CCompiledEffects& compiled, const fs::path& folder);
    // The three files, each written whatever became of the others; the
    // first failure is returned.
    Status WriteAll(const CCompiledEffects& compiled, const fs::path& folder);
};

} // namespace lumaro
