#pragma once

#include <QDialog>

class QSpinBox;

namespace lumaro::gui {

// Dialog 173 "ZOOM": the size of a lamp cell in pixels. It takes whatever
// number is entered; the mode test view and the demo view apply their own
// limits.
class CZoomDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 173;
    static constexpr int kValue = 1001, kLabelValue = 1000;

    explicit CZoomDlg(int zoom, QWidget* parent = nullptr);

    int Value() const;
    QSpinBox* ValueBox() const { return m_value; }

private:
    QSpinBox* m_value;
};

} // namespace lumaro::gui
