#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace lumaro::gui {

struct CPrompts;

// Dialog 178 "Layer Dialog": the layer that Layer Edit changes and whether
// clicked lamps are added to it or taken out.
class CLayerDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 178;
    static constexpr int kAdd = 1005, kDelete = 1006, kLayer = 1100, kLabelLayer = 1101;
    static constexpr int kFirstLayer = 1, kLastLayer = 50;

    // The mode of Layer Edit: what a click on a lamp does to the layer.
    enum Mode { NoEdit = 0, AddLamps = 1, DeleteLamps = 2 };

    explicit CLayerDlg(CPrompts* prompts, QWidget* parent = nullptr);

    int Layer() const; // 1-based
    Mode EditMode() const;
    QLineEdit* LayerField() const { return m_layer; }
    QRadioButton* Button(Mode mode) const;

    void accept() override;

private:
    CPrompts* m_prompts;
    QLineEdit* m_layer;
    QRadioButton* m_add;
    QRadioButton* m_delete;
};

} // namespace lumaro::gui
