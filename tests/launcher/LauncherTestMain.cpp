#include "LauncherTestSupport.h"

#include <QApplication>
#include <QGlyphRun>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <vector>

namespace {
char kArgEdition[] = "--edition=2";
char kArgFile[] = "show.lum";
} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);

    // The launcher is given a command line of its own, which it must not
    // pass on to the edition it starts.
    std::vector<char*> args(argv, argv + argc);
    args.push_back(kArgEdition);
    args.push_back(kArgFile);
    int qtArgc = static_cast<int>(args.size());
    args.push_back(nullptr);
    QApplication app(qtArgc, args.data());

    return RUN_ALL_TESTS();
}

QStringList LauncherExtraArguments()
{
    return {QString::fromLatin1(kArgEdition), QString::fromLatin1(kArgFile)};
}

bool HasAllGlyphs(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.isEmpty())
        return false;
    for (const QGlyphRun& run : runs) {
        for (quint32 glyph : run.glyphIndexes()) {
            if (glyph == 0)
                return false;
        }
    }
    return true;
}
