#pragma once

#include <optional>

class QPushButton;
class QString;
class QWidget;

namespace lumaro::gui {

// Control ids of a dialog's controls, as its language keys name them
// ("IDD103_1118"). Unnamed static texts share the id -1.
inline constexpr int kStaticId = -1;
void SetControlId(QWidget* control, int id);
std::optional<int> ControlIdOf(const QWidget* control);

// A push button carrying its control id; it never takes the Return key from
// the dialog's default button.
QPushButton* MakeControlButton(QWidget* parent, int id, const char* text);
// The push button below root with that control id, or nullptr.
QPushButton* FindControlButton(const QWidget* root, int id);

// Marks a widget as a dialog of its own (a page inside a sheet, say), so
// that relabelling its parent leaves it alone.
void MarkAsDialog(QWidget* dialog);

// The text a control shows, whatever kind of control it is.
void SetControlText(QWidget* control, const QString& text);
QString ControlText(const QWidget* control);

// Relabels window from the "IDD<id>_..." keys of the current language file:
// the caption from "_Title", every direct child control from its control id.
// Texts are set as they stand (no line-feed conversion); a missing or empty
// key leaves the text as it is. Controls inside a group box count as direct
// children, since the group box is only a frame drawn around them; a child
// dialog is not entered.
void SetDialogLangText(QWidget* window, int dialogId);

// A tool tip from the language file that follows a language switch.
void SetLangToolTip(QWidget* control, const char* key);

// After a language switch: every open window labelled by SetDialogLangText
// takes the new texts, then every widget hears QEvent::LanguageChange, so
// that what a widget built itself (trees, tabs, status texts) follows.
void RetranslateAllWindows();

} // namespace lumaro::gui
