#pragma once

#include <QWidget>

#include <map>

class QLineEdit;
class QPushButton;

namespace lumaro::gui {

class CCommandRegistry;

// Dialog bar 103 on the right of the main frame: the cell under the pointer,
// the zoom, the lamp and port under it, and the port buttons of the lamp
// layout view. The buttons send their control ids as commands, so the
// active view handles them.
class CCoordinatesBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDialogId = 103;
    // Controls
    static constexpr int kX = 1309, kY = 1310, kZoom = 1312;
    static constexpr int kId = 1313, kTotal = 1314, kPort = 1315, kLamp = 1316;
    static constexpr int kLabelId = 1118, kLabelTotal = 1119, kLabelPort = 1121, kLabelLamp = 1122;
    static constexpr int kLabelX = 1123, kLabelY = 1124;
    static constexpr int kGroupCoordinates = 1116, kGroupZoom = 1117;
    static constexpr int kGroupLampInfo = 1125, kGroupPortInfo = 1126;

    CCoordinatesBar(CCommandRegistry& registry, QWidget* parent = nullptr);

    // The control of a control id, or nullptr.
    QWidget* Control(int id) const;
    // Sets the text of one of the read-only fields (1309 to 1316).
    void SetField(int id, const QString& text);
    QString Field(int id) const;

private:
    QWidget* Track(QWidget* control, int id);

    std::map<int, QWidget*> m_controls;
};

} // namespace lumaro::gui
