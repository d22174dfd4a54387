#pragma once

#include "core/app/FileSystem.h"
#include "core/layout/EditImgDoc.h"

#include <string>

namespace lumaro::cli::test {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& Path() const { return m_path; }
    fs::path operator/(const std::string& name) const { return m_path / name; }

private:
    fs::path m_path;
};

std::string ReadText(const fs::path& p);
void WriteText(const fs::path& p, const std::string& bytes);

// A document that uses every part of the layout file: scenes with colours,
// lamps on ports, both position lists, plain, WORD and circular-area modes
// with UTF-8 and other names, program groups, array lists and more than 50
// layers, extreme integers and awkward reals.
CEditImgDoc MakeRichLayout();

} // namespace lumaro::cli::test
