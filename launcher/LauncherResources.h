#pragma once

#include <QString>

// The launcher's own resources. It has no language service, so these texts
// are final: Simplified Chinese, apart from the English button captions.
namespace launcher {

enum : int {
    IDC_STATIC = -1,
    IDM_ABOUTBOX = 0x0010, // system command; the low four bits are Windows' own
    IDD_ABOUTBOX = 100,
    IDS_ABOUTBOX = 101,
    IDD_START_DIALOG = 102,
    IDC_PROFESSIONAL = 1000,
    IDC_STANDARD = 1001,
};

// Dynamic property carrying a control's resource id, so that a control can
// be found the way GetDlgItem finds it.
inline constexpr char kDlgItemIdProperty[] = "dlgItemId";

inline QString MainCaption()
{
    return QStringLiteral("Lumaro 4.0");
}
inline QString StandardCaption()
{
    return QStringLiteral("Standard");
}
// The trailing blank is part of the caption.
inline QString ProfessionalCaption()
{
    return QStringLiteral("Professional ");
}
inline QString AboutMenuText()
{
    return QStringLiteral("关于 Start(&A)...");
}
inline QString AboutCaption()
{
    return QStringLiteral("关于 Start");
}
inline QString AboutVersion()
{
    return QStringLiteral("Start 4.0 版");
}
inline QString AboutCopyright()
{
    return QStringLiteral("版权所有 (C) 2004 Norvale");
}
inline QString OkCaption()
{
    return QStringLiteral("确定");
}
inline QString AppTitle()
{
    return QStringLiteral("Start");
}
inline QString FileNotFound()
{
    return QStringLiteral("Can not find the File!");
}

} // namespace launcher
