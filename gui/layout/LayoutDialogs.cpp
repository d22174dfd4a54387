#include "gui/layout/LayoutDialogs.h"

#include "core/app/LangText.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/Prompts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumaro::gui {

namespace {

QLabel* Label(const char* text, int id, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    SetControlId(label, id);
    return label;
}

QLineEdit* Field(const QString& text, int id, QWidget* parent)
{
    auto* field = new QLineEdit(text, parent);
    SetControlId(field, id);
    return field;
}

// OK and Cancel as the dialog's own controls (IDOK 1, IDCANCEL 2), so that
// relabelling gives them the language's texts.
QHBoxLayout* OkCancel(QDialog* dialog)
{
    QPushButton* ok = MakeControlButton(dialog, kOkId, "OK");
    ok->setDefault(true);
    QPushButton* cancel = MakeControlButton(dialog, kCancelId, "Cancel");
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    return buttons;
}

void Refuse(CPrompts* prompts, QLineEdit* field, const QString& text)
{
    if (prompts && prompts->message)
        prompts->message(field->window(), text, QMessageBox::Warning, QMessageBox::Ok);
    field->setFocus();
    field->selectAll();
}

} // namespace

bool CheckIntegerField(CPrompts* prompts, QLineEdit* field, int low, int high)
{
    bool ok = false;
    const int value = field->text().trimmed().toInt(&ok);
    if (ok && value >= low && value <= high)
        return true;
    QString text = QString::fromStdString(GetLangText("FRAMEWORK_INTEGER_RANGE"));
    Refuse(prompts, field, text.arg(low).arg(high));
    return false;
}

bool CheckRealField(CPrompts* prompts, QLineEdit* field)
{
    bool ok = false;
    field->text().trimmed().toDouble(&ok);
    if (ok)
        return true;
    Refuse(prompts, field, QString::fromStdString(GetLangText("FRAMEWORK_NUMBER_EXPECTED")));
    return false;
}

// --- 132 ---------------------------------------------------------------

COtherValueDlg::COtherValueDlg(CPrompts* prompts, double lampSize, double objectSize, int tolerance,
                               QWidget* parent)
    : QDialog(parent), m_prompts(prompts)
{
    setWindowTitle(QStringLiteral("Other Value"));
    auto* group = new QGroupBox(QStringLiteral("Scan Scope"), this);
    SetControlId(group, kGroupScope);
    auto* grid = new QGridLayout(group);
    m_lampSize = Field(QString::number(lampSize), kLampSize, this);
    m_objectSize = Field(QString::number(objectSize), kObjectSize, this);
    m_tolerance = Field(QString::number(tolerance), kTolerance, this);
    grid->addWidget(Label("Lamp Size", kLabelLampSize, this), 0, 0);
    grid->addWidget(m_lampSize, 0, 1);
    grid->addWidget(Label("(mm)", kLabelMm1, this), 0, 2);
    grid->addWidget(Label("Object Size", kLabelObjectSize, this), 1, 0);
    grid->addWidget(m_objectSize, 1, 1);
    grid->addWidget(Label("(mm)", kLabelMm2, this), 1, 2);
    grid->addWidget(Label("BackColor Scope", kLabelTolerance, this), 2, 0);
    grid->addWidget(m_tolerance, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(OkCancel(this));
    SetDialogLangText(this, kDialogId);
}

double COtherValueDlg::LampSize() const
{
    return m_lampSize->text().trimmed().toDouble();
}
double COtherValueDlg::ObjectSize() const
{
    return m_objectSize->text().trimmed().toDouble();
}
int COtherValueDlg::Tolerance() const
{
    return m_tolerance->text().trimmed().toInt();
}

void COtherValueDlg::accept()
{
    // Only the form is checked here; the ranges are the view's, with their own messages.
    if (!CheckRealField(m_prompts, m_lampSize) || !CheckRealField(m_prompts, m_objectSize))
        return;
    bool ok = false;
    m_tolerance->text().trimmed().toInt(&ok);
    if (!ok) {
        CheckIntegerField(m_prompts, m_tolerance, -2147483647 - 1, 2147483647);
        return;
    }
    QDialog::accept();
}

// --- 176 ---------------------------------------------------------------

CPortEditDlg::CPortEditDlg(CPrompts* prompts, int currentPort, QWidget* parent)
    : QDialog(parent), m_prompts(prompts)
{
    setWindowTitle(QStringLiteral("Port Edit"));
    auto* info = new QGroupBox(QStringLiteral("Port Info"), this);
    SetControlId(info, kGroupPortInfo);
    auto* grid = new QGridLayout(info);
    m_port = Field(QString::number(currentPort > 0 ? currentPort + 1 : 1), kPort, this);
    m_position = Field(QStringLiteral("0"), kPosition, this);
    grid->addWidget(Label("Cport 1-12:", kLabelPort, this), 0, 0);
    grid->addWidget(m_port, 0, 1);
    grid->addWidget(Label("insert position:", kLabelPosition, this), 1, 0);
    grid->addWidget(m_position, 1, 1);

    auto* operation = new QGroupBox(QStringLiteral("Operation"), this);
    SetControlId(operation, kGroupOperation);
    auto* radios = new QVBoxLayout(operation);
    m_add = new QRadioButton(QStringLiteral("add"), this);
    m_insert = new QRadioButton(QStringLiteral("insert"), this);
    m_delete = new QRadioButton(QStringLiteral("delete"), this);
    SetControlId(m_add, kAdd);
    SetControlId(m_insert, kInsert);
    SetControlId(m_delete, kDelete);
    for (QRadioButton* radio : {m_add, m_insert, m_delete}) {
        radios->addWidget(radio);
        connect(radio, &QRadioButton::toggled, this, &CPortEditDlg::FollowOperation);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(info);
    layout->addWidget(operation);
    layout->addLayout(OkCancel(this));
    SetDialogLangText(this, kDialogId);
}

void CPortEditDlg::FollowOperation()
{
    m_port->setReadOnly(m_delete->isChecked());
    m_position->setReadOnly(m_add->isChecked() || m_delete->isChecked());
}

int CPortEditDlg::Port() const
{
    return m_port->text().trimmed().toInt();
}
int CPortEditDlg::Position() const
{
    return m_position->text().trimmed().toInt();
}

int CPortEditDlg::Operation() const
{
    if (m_add->isChecked())
        return 1;
    if (m_insert->isChecked())
        return 2;
    if (m_delete->isChecked())
        return 3;
    return 0;
}

void CPortEditDlg::accept()
{
    if (!CheckIntegerField(m_prompts, m_port, 1, 12) || !CheckIntegerField(m_prompts, m_position, 0, 9998))
        return;
    QDialog::accept();
}

// --- 209 ---------------------------------------------------------------

CInsertPositionDlg::CInsertPositionDlg(CPrompts* prompts, int position, QWidget* parent)
    : QDialog(parent), m_prompts(prompts)
{
    setWindowTitle(QStringLiteral("Insert Postion"));
    m_position = Field(QString::number(position), kPosition, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label("Please Keyin the Postion", kLabelPosition, this));
    layout->addWidget(m_position);
    layout->addLayout(OkCancel(this));
    SetDialogLangText(this, kDialogId);
}

int CInsertPositionDlg::Position() const
{
    return m_position->text().trimmed().toInt();
}

void CInsertPositionDlg::accept()
{
    if (!CheckIntegerField(m_prompts, m_position, 0, 9998))
        return;
    QDialog::accept();
}

} // namespace lumaro::gui
