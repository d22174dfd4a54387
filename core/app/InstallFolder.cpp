#include "core/app/InstallFolder.h"

#include "core/app/FileSystem.h"

#include <cstdlib>

#ifndef LUMARO_DATA_DIR_REL
#define LUMARO_DATA_DIR_REL "share/lumaro"
#endif

namespace lumaro {

fs::path ResolveInstallFolder(const std::optional<std::string>& lumaroHome, const fs::path& exeDir)
{
    if (lumaroHome && !lumaroHome->empty())
        return fs::path(*lumaroHome);
#ifdef _WIN32
    (void)exeDir;
    return fs::path("c:\\Tellum\\");
#else
    return (exeDir.empty() ? fs::path(".") : exeDir).parent_path() / LUMARO_DATA_DIR_REL;
#endif
}

fs::path DefaultInstallFolder()
{
    std::optional<std::string> home;
    if (const char* v = std::getenv("LUMARO_HOME"))
        home = v;
    return ResolveInstallFolder(home, ExecutableDir());
}

} // namespace lumaro
