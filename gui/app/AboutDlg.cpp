#include "gui/app/AboutDlg.h"

#include "gui/app/DialogLangText.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace lumaro::gui {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Abuot Lumaro 4.0"));
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    auto* version = new QLabel(QStringLiteral("Lumaro 4.0 \nBuild 20041026"), this);
    version->setTextFormat(Qt::PlainText);
    SetControlId(version, kVersionId);
    auto* copyright = new QLabel(QStringLiteral("Copyright (C) 2004 Norvale"), this);
    copyright->setTextFormat(Qt::PlainText);
    SetControlId(copyright, kCopyrightId);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    SetControlId(ok, kOkId);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(version, 0, 1);
    layout->addWidget(copyright, 1, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    SetDialogLangText(this, kDialogId);
}

} // namespace lumaro::gui
