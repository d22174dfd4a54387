#include "gui/app/CoordinatesBar.h"

#include "gui/app/CommandIds.h"
#include "gui/app/CommandRegistry.h"
#include "gui/app/DialogLangText.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumaro::gui {

CCoordinatesBar::CCoordinatesBar(CCommandRegistry& registry, QWidget* parent) : QWidget(parent)
{
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto field = [&](QWidget* box, int id) {
        auto* edit = new QLineEdit(box);
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setFont(fixed);
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 10);
        Track(edit, id);
        return edit;
    };
    auto label = [&](QWidget* box, const char* text, int id) {
        auto* l = new QLabel(QString::fromLatin1(text), box);
        l->setTextFormat(Qt::PlainText);
        Track(l, id);
        return l;
    };
    auto group = [&](const char* title, int id) {
        auto* box = new QGroupBox(QString::fromLatin1(title), this);
        Track(box, id);
        return box;
    };
    auto pair = [&](QGroupBox* box, const char* first, int firstLabel, int firstField, const char* second,
                    int secondLabel, int secondField) {
        auto* grid = new QGridLayout(box);
        grid->addWidget(label(box, first, firstLabel), 0, 0);
        grid->addWidget(field(box, firstField), 0, 1);
        grid->addWidget(label(box, second, secondLabel), 1, 0);
        grid->addWidget(field(box, secondField), 1, 1);
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    QGroupBox* coordinates = group("COORDINATES", kGroupCoordinates);
    pair(coordinates, "X:", kLabelX, kX, "Y:", kLabelY, kY);
    layout->addWidget(coordinates);

    QGroupBox* zoom = group("ZOOM", kGroupZoom);
    (new QHBoxLayout(zoom))->addWidget(field(zoom, kZoom));
    layout->addWidget(zoom);

    QGroupBox* lampInfo = group("LAMP INFO", kGroupLampInfo);
    pair(lampInfo, "ID:", kLabelId, kId, "TOTAL:", kLabelTotal, kTotal);
    layout->addWidget(lampInfo);

    QGroupBox* portInfo = group("PORT INFO", kGroupPortInfo);
    pair(portInfo, "PORT:", kLabelPort, kPort, "LAMP:", kLabelLamp, kLamp);
    layout->addWidget(portInfo);

    auto* ports = new QGridLayout;
    ports->setSpacing(2);
    auto button = [&](const QString& text, int id) {
        auto* b = new QPushButton(text, this);
        b->setFocusPolicy(Qt::NoFocus);
        Track(b, id);
        registry.AttachButton(b, id);
        return b;
    };
    for (int port = 1; port <= 12; ++port) {
        QString text = port < 10 ? QStringLiteral("Port %1").arg(port) : QStringLiteral("Port%1").arg(port);
        ports->addWidget(button(text, cmd::CoordPort1 + port - 1), (port - 1) / 2, (port - 1) % 2);
    }
    ports->addWidget(button(QStringLiteral("ADD"), cmd::CoordAdd), 6, 0);
    ports->addWidget(button(QStringLiteral("DELETE"), cmd::CoordDelete), 6, 1);
    ports->addWidget(button(QStringLiteral("INSERT"), cmd::CoordInsert), 7, 0, 1, 2);
    layout->addLayout(ports);
    layout->addStretch(1);

    SetDialogLangText(this, kDialogId);
}

QWidget* CCoordinatesBar::Track(QWidget* control, int id)
{
    SetControlId(control, id);
    m_controls[id] = control;
    return control;
}

QWidget* CCoordinatesBar::Control(int id) const
{
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

void CCoordinatesBar::SetField(int id, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(Control(id)))
        edit->setText(text);
}

QString CCoordinatesBar::Field(int id) const
{
    auto* edit = qobject_cast<QLineEdit*>(Control(id));
    return edit ? edit->text() : QString();
}

} // namespace lumaro::gui
