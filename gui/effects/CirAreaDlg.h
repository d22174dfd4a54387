#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QListWidget;

namespace lumaro::gui {

struct CPrompts;

// Dialog 1332: the inner mode, centre and radius of a "CM_CIRCULAR_AREA"
// mode. Reports through its pick and done flags, which the views and the
// parameter page read.
class CCirAreaDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 1332;
    enum ControlId {
        CentreXId = 1100,
        CentreYId = 1113,
        RadiusId = 1115,
        ListId = 1101,
        CentrePickId = 1102,
        LabelXId = 1103,
        LabelYId = 1104,
        LabelRadiusId = 1105,
        GroupId = 1106,
    };

    explicit CCirAreaDlg(CPrompts& prompts, QWidget* parent = nullptr);

    // The circle-centre pick request the view clears once it has a click;
    // the dialog's own flag until the view lends it one.
    void SetPickFlag(int* flag) { m_pickFlag = flag ? flag : &m_ownPickFlag; }
    bool PickRequested() const { return *m_pickFlag != 0; }
    bool Done() const { return m_done; }

    // Centre and radius as shown; the centre is in view pixels (grid units
    // times the zoom), the radius in grid units.
    void SetValues(int centreX, int centreY, int radius, const QString& innerType);
    int CentreX() const { return m_centreX; }
    int CentreY() const { return m_centreY; }
    int Radius() const { return m_radius; }
    const QString& InnerType() const { return m_innerType; }

    // The picked centre from the view: shown, and the dialog comes back.
    void SetPickedCentre(int x, int y);
    // The view's zoom the centre is shown in (its pixels per lamp cell).
    void SetShownZoom(int zoom) { m_shownZoom = zoom; }
    int ShownZoom() const { return m_shownZoom; }

    QListWidget* List() const { return m_list; }
    QLineEdit* Edit(int controlId) const;

    void OnCentrePick();
    void OnOk();

private:
    int m_shownZoom = 1;
    void StoreEdits();

    CPrompts& m_prompts;
    QLineEdit* m_x = nullptr;
    QLineEdit* m_y = nullptr;
    QLineEdit* m_r = nullptr;
    QListWidget* m_list = nullptr;
    int m_ownPickFlag = 0;
    int* m_pickFlag = &m_ownPickFlag;
    bool m_done = false;
    int m_centreX = 0;
    int m_centreY = 0;
    int m_radius = 0;
    QString m_innerType;
};

} // namespace lumaro::gui
