#pragma once

#include "core/TestSupport.h"
#include "core/app/FileSystem.h"
#include "core/project/EditImgDoc.h"

#include <string>

namespace lumaro::cli::test {

using lumaro::test::ReadText;
using lumaro::test::TempDir;
using lumaro::test::WriteText;

// A document that uses every part of the layout file: scenes with colours,
// lamps on ports, both position lists, plain, WORD and circular-area modes
// with UTF-8 and other names, program groups, array lists and more than 50
// layers, extreme integers and awkward reals.
CEditImgDoc MakeRichLayout();

// What the real lumaro-cli did.
struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the real lumaro-cli in folder with arguments (quoted for the shell
// already) and environment assignments before it; standard input is empty.
Outcome RunProgram(const fs::path& folder, const std::string& arguments, const std::string& environment = {});

} // namespace lumaro::cli::test
