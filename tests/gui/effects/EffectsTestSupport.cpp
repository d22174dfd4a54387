#include "effects/EffectsTestSupport.h"

#include <QDir>
#include <QPixmap>
#include <QSet>
#include <QWidget>

#include <sstream>

namespace lumaro::gui::test {

namespace {
constexpr const char* kModeEditorKeys[] = {
    "IDD_LED_MODE",
    "IDD109_Title",
    "IDD108_Title",
    "IDD111_Title",
    "IDD112_Title",
    "IDD107_Title",
    "IDD108_1112",
    "ID_MSG_PAGE2_CURMODE",
    "PAGE2_ONBUTTON2_NTST",
    "PAGE2_ONBUTTON3_PSAK",
    "PAGE2_ONBUTTON4_PSAKO",
    "PAGE2_ONBUTTON4_PSTC",
    "PAGE2_ONBUTTON4_TFCW",
    "PAGE2_ONBUTTON4_YAAT",
    "PAGE2_ONBUTTON4_YSAT",
    "PAGE2_ONBUTTON8_NTST",
    "PAGE2_ONBUTTON12_PSAC",
    "PAGE2_ONBUTTON13_PSAC",
    "PAGE2_ONBUTTON14_DYRW",
    "PAGE2_ONBUTTON14_PSAC",
    "PAGE3_ONBUTTON1_PSAT",
    "MYFUNCTION_GETCOLORDATE_CGD",
    "MYFUNCTION_SAVECOLORDATE_TDFM",
};
} // namespace

void ModeEditorTest::SetUp()
{
    std::string language = "[String]\r\n";
    for (const char* key : kModeEditorKeys)
        language += std::string(key) + "=text of " + key + "\r\n";
    for (int tip = 1; tip <= 14; ++tip)
        language += "IDD108_m_p2tip" + std::to_string(tip) + "=tip " + std::to_string(tip) + "\r\n";
    // The shipped English texts for everything else: the first of two equal keys counts.
    const auto english = ReadFileBytes(install.Folder() / "Mullanguage" / "English.ini");
    if (english)
        language += english.value().substr(english.value().find('\n') + 1);
    install.WriteLanguageFile("Test.ini", language);
    CLangText::SetLanguageFilePath(install.Folder() / "Mullanguage" / "Test.ini");

    std::string colours = "colour groups\r\n";
    for (int g = 0; g < 50; ++g)
        colours += "ColorGroup:" + std::to_string(g) + "]" + (g == 1 ? "  1  2  3  4  5  6" : "") + "\r\n";
    colours += "     [Warm]200100  0\r\nSection end\r\n";
    install.WriteDataFile("ColorData.sav", colours);

    log.Install(prompts);
    sheet = std::make_unique<CModeEditorSheet>(document, prompts, install.Folder());
}

std::string ModeEditorTest::GroupLine(int group) const
{
    auto bytes = ReadFileBytes(install.Folder() / "ColorData.sav");
    std::string line;
    std::istringstream in(bytes ? bytes.value() : std::string());
    for (int i = 0; i <= group + 1 && std::getline(in, line); ++i) {
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

QImage Screenshot(QWidget* widget, const QString& name)
{
    widget->show();
    widget->activateWindow();
    ProcessEvents();
    const QImage grab = widget->grab().toImage();
    if (const QString folder = qEnvironmentVariable("LUMARO_SCREENSHOT_DIR"); !folder.isEmpty())
        grab.save(QDir(folder).filePath(name + QStringLiteral(".png")));
    return grab;
}

void ExpectPainted(const QImage& grab, const QWidget& widget)
{
    ASSERT_FALSE(grab.isNull());
    EXPECT_EQ(grab.size(), widget.size() * grab.devicePixelRatio());
    // Frames, texts and controls give many colours; an unpainted grab has one or two.
    const QImage rgb = grab.convertToFormat(QImage::Format_RGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < rgb.height() && colours.size() < 16; ++y)
        for (int x = 0; x < rgb.width(); ++x)
            colours.insert(rgb.pixel(x, y));
    EXPECT_GE(colours.size(), 16);
}

bool ShowsColour(const QImage& grab, const QRect& area, const QColor& colour)
{
    const qreal scale = grab.devicePixelRatio();
    const QRect pixels = QRect(area.topLeft() * scale, area.size() * scale).intersected(grab.rect());
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            if (grab.pixelColor(x, y).rgb() == colour.rgb())
                return true;
    return false;
}

} // namespace lumaro::gui::test
