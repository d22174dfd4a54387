#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace lumaro::gui {
struct CPrompts;
}

namespace lumaro::gui {

// The closing buttons of the three dialogs below.
inline constexpr int kOkId = 1, kCancelId = 2;

// Dialog 132, "Other Value": lamp size, object size and the background
// tolerance. It only collects the entries; the view applies its range rules.
class COtherValueDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 132;
    static constexpr int kObjectSize = 1000, kLampSize = 1002, kTolerance = 1003;
    static constexpr int kLabelObjectSize = 1004, kLabelLampSize = 1005, kLabelTolerance = 1006;
    static constexpr int kLabelMm1 = 1007, kLabelMm2 = 1008, kGroupScope = 1009;

    COtherValueDlg(CPrompts* prompts, double lampSize, double objectSize, int tolerance,
                   QWidget* parent = nullptr);

    double LampSize() const;
    double ObjectSize() const;
    int Tolerance() const;

    void accept() override;

private:
    CPrompts* m_prompts;
    QLineEdit* m_lampSize;
    QLineEdit* m_objectSize;
    QLineEdit* m_tolerance;
};

// Dialog 176, "Port Edit": the port, the insert position and the operation.
class CPortEditDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 176;
    static constexpr int kPort = 1100, kPosition = 1113;
    static constexpr int kAdd = 1005, kInsert = 1006, kDelete = 1312;
    static constexpr int kLabelPort = 1101, kLabelPosition = 1102;
    static constexpr int kGroupPortInfo = 1103, kGroupOperation = 1104;

    CPortEditDlg(CPrompts* prompts, int currentPort, QWidget* parent = nullptr);

    int Port() const;
    int Position() const;
    int Operation() const; // 0 none, 1 add, 2 insert, 3 delete

    void accept() override;

private:
    void FollowOperation();

    CPrompts* m_prompts;
    QLineEdit* m_port;
    QLineEdit* m_position;
    QRadioButton* m_add;
    QRadioButton* m_insert;
    QRadioButton* m_delete;
};

// Dialog 209, "Insert Postion": the order after which inserted lamps go.
class CInsertPositionDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 209;
    static constexpr int kPosition = 1000, kLabelPosition = 1001;

    CInsertPositionDlg(CPrompts* prompts, int position, QWidget* parent = nullptr);

    int Position() const;
    void accept() override;

private:
    CPrompts* m_prompts;
    QLineEdit* m_position;
};

// The dialogs' own validation: an integer field outside [low, high] or not
// a number keeps the dialog open after the framework's range message.
bool CheckIntegerField(CPrompts* prompts, QLineEdit* field, int low, int high);
bool CheckRealField(CPrompts* prompts, QLineEdit* field);

} // namespace lumaro::gui
